# Sourced by the scripts that run Tessel on a private X desktop: Xvfb, openbox and picom.
# The caller sets $work to a private folder and kills its jobs on exit.

# Waits up to twenty seconds for a command to succeed.
await() {
    for _ in $(seq 400); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    echo "$(basename "$0"): gave up waiting for: $*" >&2
    return 1
}

# Starts the desktop on one screen of WIDTHxHEIGHT and exports DISPLAY.
start_x_desktop() {
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$work/display" &
    await test -s "$work/display"
    export DISPLAY=":$(cat "$work/display")"
    openbox >/dev/null 2>&1 &
    picom --backend xrender --config /dev/null >/dev/null 2>&1 &
}

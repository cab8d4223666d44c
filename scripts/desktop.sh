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

# Starts the desktop with SCREENS screens of WIDTHxHEIGHT side by side (one when left out) and
# exports DISPLAY. Several screens are Xinerama heads of one root, which Qt sees as screens.
start_x_desktop() {
    local size=$1 screens=${2:-1}
    local heads=()
    for i in $(seq 0 $((screens - 1))); do
        heads+=(-screen "$i" "${size}x24")
    done
    local xinerama=()
    [ "$screens" -gt 1 ] && xinerama=(+xinerama)
    rm -f "$work/display"
    Xvfb -displayfd 3 "${xinerama[@]}" "${heads[@]}" -nolisten tcp 3>"$work/display" &
    await test -s "$work/display"
    export DISPLAY=":$(cat "$work/display")"
    openbox >/dev/null 2>&1 &
    picom --backend xrender --config /dev/null >/dev/null 2>&1 &
}

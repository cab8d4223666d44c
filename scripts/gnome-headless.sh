#!/usr/bin/env bash
# Runs Tessel on a private headless GNOME Shell on Wayland, with Tessel's shell extension
# enabled, over a native Wayland window, and saves a picture of the screen.
#   scripts/gnome-headless.sh [BUILD_DIR] [PICTURE]
# Needs root, gnome-shell, xwayland and gjs. Everything runs in namespaces of its own:
# a PID namespace ends every process with the script, a network namespace keeps the X display
# private, and a mount namespace hides systemd, so that the shell asks no logind for a session.
# The end-to-end tests (gnome_shell_test) check the same session; this is for looking at it.
set -euo pipefail
here=$(realpath "$(dirname "$0")")
build=$(realpath "${1:-$here/../build}")
picture=$(realpath -m "${2:-gnome.png}")
if [[ -z ${TESSEL_GNOME_PRIVATE:-} ]]; then
    exec unshare --mount --pid --net --fork --mount-proc --propagation private \
        env TESSEL_GNOME_PRIVATE=1 "$0" "$build" "$picture"
fi
mount -t tmpfs -o mode=1777 tmpfs /tmp && mkdir -m 1777 /tmp/.X11-unix
mount -t tmpfs tmpfs /run/systemd
work=$(mktemp -d)

# Waits up to twenty seconds for a command to succeed.
await() {
    for _ in $(seq 200); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "gnome-headless: gave up waiting for: $*" >&2
    return 1
}

export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime XDG_CURRENT_DESKTOP=GNOME
export XDG_DATA_HOME=$HOME/.local/share XDG_CONFIG_HOME=$HOME/.config TESSEL_CONFIG_DIR=$work/tessel
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
extension=$XDG_DATA_HOME/gnome-shell/extensions/tessel@corvane.com
mkdir -p "$extension"
cp "$build"/gnome-shell/tessel@corvane.com/* "$extension"

# The shell wants a system bus; an empty one will do.
DBUS_SYSTEM_BUS_ADDRESS=$(dbus-daemon --session --fork --print-address)
DBUS_SESSION_BUS_ADDRESS=$(dbus-daemon --session --fork --print-address)
export DBUS_SYSTEM_BUS_ADDRESS DBUS_SESSION_BUS_ADDRESS

gsettings set org.gnome.shell enabled-extensions "['tessel@corvane.com']"
gsettings set org.gnome.shell welcome-dialog-last-shown-version "'999'"
start=$(date +%s.%N)
gnome-shell --headless --wayland --virtual-monitor 1280x720 >"$work/shell.log" 2>&1 &
shell() {
    gdbus call --session -d org.gnome.Shell -o /org/gnome/Shell -m "$@"
}
await shell org.freedesktop.DBus.Properties.Get org.gnome.Shell OverviewActive
await gdbus introspect --session -d com.corvane.Tessel.Shell -o /com/corvane/Tessel/Shell
echo "gnome-headless: shell and extension up after $(echo "$(date +%s.%N) - $start" | bc) s"
# The shell starts in the Overview, which hides override-redirect windows.
shell org.freedesktop.DBus.Properties.Set org.gnome.Shell OverviewActive "<false>" >/dev/null
export WAYLAND_DISPLAY=wayland-0 DISPLAY=:0
XAUTHORITY=$(echo "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.*)
export XAUTHORITY

"$build/tests/support/tessel_solid_window" org.tessel.Page ffffff >"$work/window.log" 2>&1 &
await grep -q ready "$work/window.log"
"$build/src/app/tessel" settings set onboarded true >/dev/null
"$build/src/app/tessel" settings set day '{"paper": "kozo", "gsm": 220}' >/dev/null
"$build/src/app/tessel" >"$work/tessel.log" 2>&1 &
await "$build/src/app/tessel" status || { cat "$work/tessel.log"; exit 1; }
"$build/src/app/tessel" status
# GNOME has no panel for Tessel's icon, so Tessel's window of controls shows in the middle.
# Paper fades in, and the shell's first notification fades out; give both their time.
sleep 6
gjs "$here/gnome/screenshot.js" "$picture"
echo "$picture"

#!/usr/bin/env bash
# Measures Tessel on a private headless sway (native Wayland) and on a private X desktop
# (Xvfb, openbox, picom), both 1280×720 with one white full-screen window: the time from
# starting tessel to the first paper over the window (with an empty tile cache, so that each
# launch synthesises its paper), CPU over ten idle seconds with paper
# shown, and the resident memory then; three runs each. Usage:
# scripts/measure-platforms.sh [BUILD]
# BUILD is a Release build folder with tests on (default build/measure, made when missing).
# The probe sits in a corner, clear of the Settings window Tessel opens without a panel.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/measure}
idle_seconds=10
runs=3
# Often enough to see the first frame, seldom enough to leave tessel the processor.
poll_seconds=0.02
width=1280
height=720
probe_x=20
probe_y=700

if [ ! -x "$build/src/app/tessel" ] || [ ! -x "$build/tests/support/tessel_solid_window" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" -j1 --target tessel tessel_solid_window >/dev/null
fi
tessel=$(realpath "$build/src/app/tessel")
solid_window=$(realpath "$build/tests/support/tessel_solid_window")
work=$(mktemp -d)
chmod 711 "$work"
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
source scripts/desktop.sh

now() { date +%s.%N; }

# Light paper over white: a little darker than white, never the tile's own dark colour.
is_paper() {
    local rgb
    rgb=$("$@") || return 1
    read -r r g b <<<"$rgb"
    [ "$r$g$b" != 255255255 ] && [ "$r" -gt 180 ] && [ "$g" -gt 180 ] && [ "$b" -gt 180 ]
}

is_white() { [ "$("$@")" = "255 255 255" ]; }

# CPU time of a process in clock ticks, user plus system.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# Launch to paper, idle CPU and memory of a tessel started with `start_tessel`, its pixels
# read with `$@`.
measure() {
    local name=$1
    shift
    local config="$work/$name-config"
    mkdir -p "$config"
    echo '{"settings": {"onboarded": true, "day": {"paper": "kozo", "gsm": 300}}}' \
        >"$config/defaults.json"
    await is_white "$@"
    local start pid shown
    start=$(now)
    TESSEL_CONFIG_DIR="$config" TESSEL_CACHE_DIR="$work/$name-cache" dbus-run-session -- "$tessel" >"$work/$name-tessel.log" 2>&1 &
    until is_paper "$@"; do sleep "$poll_seconds"; done
    shown=$(now)
    pid=$(pgrep -n -f "^$tessel\$")
    # Fades and the Settings window settle first.
    sleep 2
    local before after hz
    hz=$(getconf CLK_TCK)
    before=$(ticks "$pid")
    sleep "$idle_seconds"
    after=$(ticks "$pid")
    printf '%-10s launch to paper %5.0f ms   idle CPU %5.2f %%   resident %4d MiB\n' "$name" \
        "$(echo "($shown - $start) * 1000" | bc)" \
        "$(echo "scale=4; ($after - $before) * 100 / $hz / $idle_seconds" | bc)" \
        "$(($(awk '/VmRSS/ { print $2 }' "/proc/$pid/status") / 1024))"
    kill "$pid"
    wait "$!" 2>/dev/null || true
}

# --- native Wayland on headless sway, run unprivileged as sway insists ---
sway_runtime="$work/sway-runtime"
client_runtime="$work/client-runtime"
mkdir -m 700 "$sway_runtime" "$client_runtime"
printf 'xwayland disable\ndefault_border none\n' >"$sway_runtime/config"
sway=(sway --config "$sway_runtime/config")
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody:nogroup "$sway_runtime"
    sway=(setpriv --reuid nobody --regid nogroup --clear-groups "${sway[@]}")
fi
env -u DISPLAY XDG_RUNTIME_DIR="$sway_runtime" HOME="$sway_runtime" WLR_BACKENDS=headless \
    WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 "${sway[@]}" >"$work/sway.log" 2>&1 &
await compgen -G "$sway_runtime/wayland-?"
(
    export WAYLAND_DISPLAY
    WAYLAND_DISPLAY=$(compgen -G "$sway_runtime/wayland-?")
    export XDG_RUNTIME_DIR=$client_runtime QT_QPA_PLATFORM=wayland
    unset DISPLAY
    "$solid_window" org.example.Page ffffff >"$work/page.log" 2>&1 &
    sway_pixel() {
        grim -g "$probe_x,$probe_y 1x1" -t ppm - | tail -c 3 | od -An -tu1 | xargs
    }
    for run in $(seq "$runs"); do
        measure "wayland-$run" sway_pixel
    done
)

# --- X11 on Xvfb with openbox and picom ---
start_x_desktop "${width}x${height}"
(
    unset WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=xcb
    convert -size "${width}x${height}" xc:white "$work/white.png"
    display -geometry +0+0 -borderwidth 0 "$work/white.png" &
    x11_pixel() {
        import -window root -crop "1x1+$probe_x+$probe_y" -depth 8 rgb:- | od -An -tu1 | xargs
    }
    for run in $(seq "$runs"); do
        measure "x11-$run" x11_pixel
    done
)

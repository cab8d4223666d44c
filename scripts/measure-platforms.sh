#!/usr/bin/env bash
# Measures Tessel on private headless desktops, each one 1920×1080 output with one white
# full-screen window: native Wayland on sway and on KWin, and X11 (Xvfb, openbox, picom). On
# each: the time from starting tessel to the first paper over the window (with an empty tile
# cache, so that each launch synthesises its paper), CPU over ten idle seconds with paper shown
# and the memory then (proportional and resident), three runs; the surface commits over ten idle
# seconds (Wayland, from the client's protocol log); and CPU while the reading ruler follows a
# pointer moving thirty times a second, where the desktop tells Tessel the pointer (KWin, X11).
# Usage: scripts/measure-platforms.sh [BUILD] [DESKTOPS]
# BUILD is a Release build folder with tests on (default build/measure, made when missing).
# DESKTOPS picks from "sway kwin x11" (all by default, KWin where it is installed). KWin needs
# what scripts/kwin-check.sh needs. The probe sits in a corner, clear of the Settings window
# Tessel opens without a panel.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/measure}
desktops=${2:-sway $(command -v kwin_wayland >/dev/null && echo kwin) x11}
idle_seconds=10
runs=3
# Often enough to see the first frame, seldom enough to leave tessel the processor; KWin
# renders a frame for each screenshot, which slows everything on it, so it is asked less often.
poll_seconds=0.02
kwin_poll_seconds=${KWIN_POLL_SECONDS:-0.1}
width=1920
height=1080
probe_x=20
probe_y=1060
pointer_moves_per_second=30

if [ ! -x "$build/src/app/tessel" ] || [ ! -x "$build/tests/support/tessel_solid_window" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" -j1 --target tessel tessel_solid_window >/dev/null
fi
tessel=$(realpath "$build/src/app/tessel")
solid_window=$(realpath "$build/tests/support/tessel_solid_window")
work=$(mktemp -d)
chmod 711 "$work"
# Each desktop runs in a subshell, which stops what it started when it ends.
stop_jobs() {
    kill $(jobs -p) 2>/dev/null || true
    kill "${bus_pid:-}" "$(cat "$work/pid" 2>/dev/null)" 2>/dev/null || true
    wait 2>/dev/null || true
}
trap 'stop_jobs; rm -rf "$work"' EXIT
source scripts/desktop.sh
source scripts/kwin/fake-pointer.sh

tessel_env=()

now() { date +%s.%N; }
wants() { [[ " $desktops " == *" $1 "* ]]; }

# Light paper over white: a little darker than white, never the tile's own dark colour.
is_paper() {
    local rgb
    rgb=$("$@") || return 1
    read -r r g b <<<"$rgb"
    [ "$r$g$b" != 255255255 ] && [ "$r" -gt 180 ] && [ "$g" -gt 180 ] && [ "$b" -gt 180 ]
}

is_white() { [ "$("$@")" = "255 255 255" ]; }
# The ruler veils the screen away from the pointer darker than paper alone.
is_veiled() { ! is_white "$@"; }

# The probe's pixel from the reader running as the coprocess `pixels`.
probed_pixel() {
    local line
    echo "$probe_x $probe_y" >&"${pixels[1]}"
    read -r line <&"${pixels[0]}"
    echo "$line"
}

# CPU time of a process in clock ticks, user plus system.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
percent_of_core() { echo "scale=2; $1 * 100 / $(getconf CLK_TCK) / $idle_seconds" | bc; }
kib_to_mib() { echo "scale=1; $1 / 1024" | bc; }

# A session bus of its own for each desktop, which Tessel and the desktop share.
start_bus() {
    local address
    { read -r address && read -r bus_pid; } < <(dbus-daemon --session --fork \
        --print-address=1 --print-pid=1)
    export DBUS_SESSION_BUS_ADDRESS=$address
}

# Starts tessel with the named configuration, and the environment in tessel_env, and waits for
# paper (or what shown_test names), read with `$@`; prints the milliseconds that took. Its pid
# goes to $work/pid, its output to $work/NAME.log.
launch() {
    local name=$1 start
    shift
    await is_white "$@"
    rm -rf "$work/cache"
    start=$(now)
    env "${tessel_env[@]}" TESSEL_CONFIG_DIR="$work/$name" TESSEL_CACHE_DIR="$work/cache" \
        "$tessel" >"$work/$name.log" 2>&1 &
    echo $! >"$work/pid"
    until "${shown_test:-is_paper}" "$@"; do sleep "$poll"; done
    echo "($(now) - $start) * 1000 / 1" | bc
    # Fades and the Settings window settle first.
    sleep 2
}

stop_tessel() {
    local pid
    pid=$(cat "$work/pid")
    kill "$pid"
    await bash -c "! kill -0 $pid"
}

configure() {
    local name=$1
    shift
    mkdir -p "$work/$name"
    TESSEL_CONFIG_DIR="$work/$name" "$tessel" settings set onboarded true >/dev/null
    TESSEL_CONFIG_DIR="$work/$name" "$tessel" settings set day \
        '{"paper": "kozo", "gsm": 300}' >/dev/null
    for setting in "$@"; do
        TESSEL_CONFIG_DIR="$work/$name" "$tessel" settings set ${setting/=/ } >/dev/null
    done
}

# On the desktop LABEL with pixels read by PIXEL and the pointer moved for some seconds by
# MOVER ("" where the desktop does not tell Tessel the pointer).
measure() {
    local label=$1 pixel=$2 mover=$3 pid before shown
    configure plain
    configure ruler ruler=true
    for run in $(seq "$runs"); do
        shown=$(launch plain "$pixel")
        pid=$(cat "$work/pid")
        before=$(ticks "$pid")
        sleep "$idle_seconds"
        printf '%-6s launch to paper %5d ms   idle CPU %5.2f %%   PSS %5.1f MiB   RSS %5.1f MiB\n' \
            "$label" "$shown" "$(percent_of_core $(($(ticks "$pid") - before)))" \
            "$(kib_to_mib "$(awk '/^Pss:/ { print $2 }' "/proc/$pid/smaps_rollup")")" \
            "$(kib_to_mib "$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")")"
        stop_tessel
    done
    if [ -n "${WAYLAND_DISPLAY:-}" ]; then
        commits() { grep -c 'wl_surface@[0-9]*\.commit(' || true; }
        tessel_env=(WAYLAND_DEBUG=client)
        launch plain "$pixel" >/dev/null
        tessel_env=()
        before=$(wc -l <"$work/plain.log")
        sleep "$idle_seconds"
        printf '%-6s surface commits: %d while starting, %d over %d idle seconds\n' "$label" \
            "$(head -n "$before" "$work/plain.log" | commits)" \
            "$(tail -n +$((before + 1)) "$work/plain.log" | commits)" "$idle_seconds"
        stop_tessel
    fi
    if [ -n "$mover" ]; then
        shown_test=is_veiled launch ruler "$pixel" >/dev/null
        pid=$(cat "$work/pid")
        before=$(ticks "$pid")
        "$mover" "$idle_seconds"
        printf '%-6s ruler following a pointer moving %d times a second: CPU %5.2f %%\n' \
            "$label" "$pointer_moves_per_second" \
            "$(percent_of_core $(($(ticks "$pid") - before)))"
        stop_tessel
    fi
}

# --- native Wayland on headless sway, run unprivileged as sway insists ---
if wants sway; then
    sway_runtime="$work/sway-runtime"
    client_runtime="$work/client-runtime"
    mkdir -m 700 "$sway_runtime" "$client_runtime"
    printf 'xwayland disable\ndefault_border none\noutput HEADLESS-1 mode %dx%d\n' "$width" \
        "$height" >"$sway_runtime/config"
    sway=(sway --config "$sway_runtime/config")
    if [ "$(id -u)" -eq 0 ]; then
        chown -R nobody:nogroup "$sway_runtime"
        sway=(setpriv --reuid nobody --regid nogroup --clear-groups "${sway[@]}")
    fi
    env -u DISPLAY XDG_RUNTIME_DIR="$sway_runtime" HOME="$sway_runtime" WLR_BACKENDS=headless \
        WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 "${sway[@]}" >"$work/sway.log" 2>&1 &
    await compgen -G "$sway_runtime/wayland-?"
    (
        trap stop_jobs EXIT
        export WAYLAND_DISPLAY
        WAYLAND_DISPLAY=$(compgen -G "$sway_runtime/wayland-?")
        export XDG_RUNTIME_DIR=$client_runtime QT_QPA_PLATFORM=wayland
        unset DISPLAY
        start_bus
        "$solid_window" org.example.Page ffffff >"$work/page.log" 2>&1 &
        sway_pixel() {
            grim -g "$probe_x,$probe_y 1x1" -t ppm - | tail -c 3 | od -An -tu1 | xargs
        }
        poll=$poll_seconds
        measure sway sway_pixel ""
    )
fi

# --- native Wayland on a headless KWin ---
if wants kwin; then
    (
        trap stop_jobs EXIT
        kwin_runtime="$work/kwin-runtime"
        mkdir -m 700 "$kwin_runtime" "$work/bin"
        # The packaged binary carries a file capability, which containers refuse to run; a copy
        # has none. KWin runs only under its own name.
        cp "$(command -v kwin_wayland)" "$work/bin/kwin_wayland"
        build_fake_pointer "$work"
        export XDG_RUNTIME_DIR=$kwin_runtime HOME=$kwin_runtime KWIN_WAYLAND_NO_PERMISSION_CHECKS=1
        export KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 QT_QPA_PLATFORM=wayland
        unset DISPLAY WAYLAND_DISPLAY
        start_bus
        "$work/bin/kwin_wayland" --virtual --socket tessel-kwin --width "$width" \
            --height "$height" >"$work/kwin.log" 2>&1 &
        await gdbus introspect --session -d org.kde.KWin -o /org/kde/KWin/ScreenShot2
        export WAYLAND_DISPLAY=tessel-kwin
        "$solid_window" org.example.Page ffffff >"$work/page.log" 2>&1 &
        coproc pixels { gjs scripts/kwin/pixels.js; }
        kwin_pointer() { "$work/fake_pointer" move "$1" "$width" "$height"; }
        poll=$kwin_poll_seconds
        measure kwin probed_pixel kwin_pointer
    )
fi

# --- X11 on Xvfb with openbox and picom ---
if wants x11; then
    start_x_desktop "${width}x${height}"
    (
        trap stop_jobs EXIT
        unset WAYLAND_DISPLAY
        export QT_QPA_PLATFORM=xcb
        start_bus
        convert -size "${width}x${height}" xc:white "$work/white.png"
        display -geometry +0+0 -borderwidth 0 "$work/white.png" &
        gcc -O2 -o "$work/x11-pixels" scripts/x11/pixels.c -lX11
        coproc pixels { "$work/x11-pixels"; }
        # One xdotool for every move, so that starting it does not set the pace.
        x11_pointer() {
            local moves=() x
            for i in $(seq $(($1 * pointer_moves_per_second))); do
                x=$((60 + i * 37 % (width - 120)))
                moves+=(mousemove "$x" $((height / 4 + x * height / (2 * width))) sleep 0.033)
            done
            xdotool "${moves[@]}"
        }
        poll=$poll_seconds
        measure x11 probed_pixel x11_pointer
    )
fi

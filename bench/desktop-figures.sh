#!/usr/bin/env bash
# Measures what a user feels of Tessel on a private X desktop (Xvfb, openbox, picom):
# launch to paper with an empty and with a warm tile cache, resident memory, and idle CPU.
# Usage: bench/desktop-figures.sh [TESSEL] [LAUNCHES]   (a Release build: scripts/run.sh makes one)
set -euo pipefail
cd "$(dirname "$0")/.."
tessel=$(realpath "${1:-build/release/src/app/tessel}")
launches=${2:-5}
idleSeconds=30
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

gcc -O2 -o "$work/pixel_wait" bench/pixel_wait.c -lX11
clockTicks=$(getconf CLK_TCK)

# Waits up to ten seconds for a command to succeed.
await() {
    for _ in $(seq 100); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "desktop-figures: gave up waiting for: $*" >&2
    return 1
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
residentMB() { awk '/VmRSS/ { printf "%.0f", $2 / 1024 }' "/proc/$1/status"; }
cpuTicks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# One launch: prints milliseconds to paper; leaves Tessel running with its pid in $work/pid.
launch() {
    "$work/pixel_wait" 200 10000 "$work/pid" \
        dbus-run-session -- env TESSEL_CONFIG_DIR="$work/config" TESSEL_CACHE_DIR="$work/cache" \
        "$tessel"
}

stopTessel() {
    pkill -TERM -P "$(cat "$work/pid")" 2>/dev/null || true
    kill -TERM "$(cat "$work/pid")" 2>/dev/null || true
    await bash -c "! xdotool search --name 'Tessel paper'"
}

# The running Tessel process itself, below dbus-run-session.
tesselPid() { pgrep -n -f "^$tessel\$"; }

onScreen() {
    local size=$1
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" &
    await test -s "$work/display"
    export DISPLAY=":$(cat "$work/display")"
    openbox >/dev/null 2>&1 &
    picom --backend xrender --config /dev/null >/dev/null 2>&1 &
    # A panel with a tray, so that Tessel lives in it rather than opening a window.
    trayer --edge bottom --height 24 >/dev/null 2>&1 &
    await xdotool search --class trayer
    rm -rf "$work/config" "$work/cache"
    TESSEL_CONFIG_DIR="$work/config" "$tessel" settings set onboarded true
    TESSEL_CONFIG_DIR="$work/config" "$tessel" settings set day '{"paper": "kozo", "gsm": 150}'

    local cold=() warm=()
    for _ in $(seq "$launches"); do
        rm -rf "$work/cache"
        cold+=("$(launch)")
        stopTessel
        warm+=("$(launch)")
        stopTessel
    done
    echo "$size launch to paper, empty cache (ms): ${cold[*]} → median $(printf '%s\n' "${cold[@]}" | median)"
    echo "$size launch to paper, warm cache (ms):  ${warm[*]} → median $(printf '%s\n' "${warm[@]}" | median)"

    launch >/dev/null
    await tesselPid
    local pid
    pid=$(tesselPid)
    sleep 3 # the fade and the first sampling pass
    echo "$size resident memory: $(residentMB "$pid") MB"
    local before
    before=$(cpuTicks "$pid")
    sleep "$idleSeconds"
    echo "$size idle CPU over ${idleSeconds} s: $(($(cpuTicks "$pid") - before)) ticks of 1/${clockTicks} s"
    stopTessel
    kill $(jobs -p) 2>/dev/null || true
    wait 2>/dev/null || true
}

onScreen 1920x1080
onScreen 3840x2160

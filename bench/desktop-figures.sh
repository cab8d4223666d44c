#!/usr/bin/env bash
# Measures what a user feels of Tessel on a private X desktop (Xvfb, openbox, picom): launch to
# paper with an empty and with a warm tile cache, resident memory, idle CPU, CPU while the ruler
# follows a moving pointer, the memory high-water mark of cycling through the papers, and the
# longest main-thread stall. Usage: bench/desktop-figures.sh [TESSEL] [LAUNCHES] [DESKTOPS]
# DESKTOPS picks from "1080p 4k" (both by default). Xvfb gives Qt one screen only: its Xinerama
# heads all sit at 0,0 and it takes no RandR monitors, so two screens are not measured.
# TESSEL is a Release build's binary: cmake -DCMAKE_BUILD_TYPE=Release -B build-release.
set -euo pipefail
cd "$(dirname "$0")/.."
tessel=$(realpath "${1:-build-release/src/app/tessel}")
launches=${2:-5}
desktops=${3:-1080p 4k}
watchSeconds=30
settleSeconds=3
cyclePause=1
# Thirty pointer moves a second, as the ruler samples.
pointerPause=0.033
pixelRow=200
launchTimeoutMs=10000
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; kill "${busPid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
source scripts/desktop.sh

gcc -O2 -o "$work/pixel_wait" bench/pixel_wait.c -lX11
clockTicks=$(getconf CLK_TCK)
mapfile -t papers < <(TESSEL_CONFIG_DIR="$work/config" "$tessel" paper list | cut -f1)

# Remote commands reach the running Tessel over this bus.
eval "$(dbus-daemon --session --fork --print-address=1 --print-pid=1 |
    { read -r a && read -r p && echo "export DBUS_SESSION_BUS_ADDRESS=$a; busPid=$p"; })"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
statusMB() { awk -v key="$2:" '$1 == key { printf "%.0f", $2 / 1024 }' "/proc/$1/status"; }
cpuTicks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
percentOfCore() { echo "scale=2; $1 * 100 / $clockTicks / $watchSeconds" | bc; }
report() { printf '%-52s %s\n' "$1" "$2"; }
tesselPid() { cat "$work/pid"; }

configure() {
    rm -rf "$work/config"
    TESSEL_CONFIG_DIR="$work/config" "$tessel" settings set onboarded true
    TESSEL_CONFIG_DIR="$work/config" "$tessel" settings set day '{"paper": "kozo", "gsm": 150}'
    for setting in "$@"; do
        TESSEL_CONFIG_DIR="$work/config" "$tessel" settings set ${setting/=/ }
    done
}

# Starts Tessel and prints the milliseconds until the root's pixels change; its pid goes to
# $work/pid.
launch() {
    TESSEL_CONFIG_DIR="$work/config" TESSEL_CACHE_DIR="$work/cache" \
        "$work/pixel_wait" "$pixelRow" "$launchTimeoutMs" "$work/pid" "$tessel" 2>>"$work/log"
}

stopTessel() {
    local pid
    pid=$(tesselPid)
    kill -TERM "$pid" 2>/dev/null || true
    await bash -c "! kill -0 $pid"
}

movePointer() {
    local end=$((SECONDS + watchSeconds)) x=0
    while [ "$SECONDS" -lt "$end" ]; do
        x=$(((x + 37) % 1800))
        xdotool mousemove "$((x + 60))" "$((300 + x / 4))"
        sleep "$pointerPause"
    done
}

launchesOn() {
    local label=$1 cold=() warm=()
    configure
    for _ in $(seq "$launches"); do
        rm -rf "$work/cache"
        cold+=("$(launch)")
        stopTessel
        warm+=("$(launch)")
        stopTessel
    done
    report "$label launch to paper, empty cache (ms)" \
        "${cold[*]} → median $(printf '%s\n' "${cold[@]}" | median)"
    report "$label launch to paper, warm cache (ms)" \
        "${warm[*]} → median $(printf '%s\n' "${warm[@]}" | median)"
}

residentOn() {
    local label=$1 pid
    launch >/dev/null
    pid=$(tesselPid)
    sleep "$settleSeconds"
    report "$label resident memory (MB)" "$(statusMB "$pid" VmRSS) (anon $(statusMB "$pid" \
        RssAnon), shared memory $(statusMB "$pid" RssShmem), files $(statusMB "$pid" RssFile))"
}

# On one 1920×1080 screen after residentOn: idle CPU, then the ruler, then cycling papers.
usageOn() {
    local label=$1 pid before
    pid=$(tesselPid)
    before=$(cpuTicks "$pid")
    sleep "$watchSeconds"
    report "$label idle CPU over ${watchSeconds} s (% of a core)" \
        "$(percentOfCore $(($(cpuTicks "$pid") - before)))"
    stopTessel

    configure ruler=true
    launch >/dev/null
    pid=$(tesselPid)
    sleep "$settleSeconds"
    before=$(cpuTicks "$pid")
    movePointer
    report "$label ruler CPU, pointer moving ${watchSeconds} s (% of a core)" \
        "$(percentOfCore $(($(cpuTicks "$pid") - before)))"

    local end=$((SECONDS + watchSeconds)) i=0
    while [ "$SECONDS" -lt "$end" ]; do
        "$tessel" paper "${papers[i++ % ${#papers[@]}]}" >/dev/null
        sleep "$cyclePause"
    done
    report "$label cycling papers ${watchSeconds} s: resident (MB)" \
        "$(statusMB "$pid" VmRSS), high-water $(statusMB "$pid" VmHWM)"
    sleep "$watchSeconds"
    report "$label ${watchSeconds} s after cycling: resident (MB)" "$(statusMB "$pid" VmRSS)"
    stopTessel
}

# The longest gap in the stall log after `from` (a time, or with `line` set a line number), and
# how many went past the 8 ms a frame may take.
stallSummary='
(line ? NR : $1) > from { if ($2 > m) m = $2; if ($2 > 8) n++ }
END { printf "%d (%d over 8 ms)", m, n }'

# The longest gap of the main thread's 1 ms timer after settling, while the screens are
# sampled and the ruler follows the pointer, then while the paper changes.
stallsOn() {
    local label=$1 log="$work/stalls" start
    configure ruler=true dayNight=screen
    rm -f "$log"
    TESSEL_STALL_LOG="$log" launch >/dev/null
    sleep "$settleSeconds"
    start=$((settleSeconds * 1000))
    movePointer
    report "$label longest stall, ruler and sampling (ms)" \
        "$(awk -v from="$start" -f <(echo "$stallSummary") "$log")"
    start=$(wc -l <"$log")
    "$tessel" paper laid >/dev/null
    sleep "$settleSeconds"
    report "$label longest stall, changing paper (ms)" \
        "$(awk -v from="$start" -v line=1 -f <(echo "$stallSummary") "$log")"
    stopTessel
}

onDesktop() {
    local label=$1
    start_x_desktop "$label"
    # A panel with a tray, so that Tessel lives in it rather than opening a window.
    trayer --edge bottom --height 24 >/dev/null 2>&1 &
    await xdotool search --class trayer
    # The compositor's first frames would count as paper.
    sleep 1
    shift
    for stage in "$@"; do
        "$stage" "$label"
    done
    kill $(jobs -p) 2>/dev/null || true
    wait 2>/dev/null || true
}

wants() { [[ " $desktops " == *" $1 "* ]]; }
if wants 1080p; then onDesktop 1920x1080 launchesOn residentOn usageOn stallsOn; fi
if wants 4k; then onDesktop 3840x2160 launchesOn residentOn stopTessel; fi


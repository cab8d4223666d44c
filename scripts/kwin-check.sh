#!/usr/bin/env bash
# Runs Tessel on a private headless KWin over a native Wayland window and checks what KWin gives
# it: the front app and the pointer from Tessel's KWin script (the ruler's band at the pointer,
# pointer reports only while the ruler follows it, an excluded app hiding the paper), the script
# loaded again when asked, screen sampling through KWin's screenshot service, and the focus
# handed back after a moment; saves a picture of the screen.
#   scripts/kwin-check.sh [BUILD_DIR] [PICTURE]
# Needs kwin_wayland (apt-get install --no-install-recommends kwin-wayland), gjs, ImageMagick,
# gcc and plasma-wayland-protocols. KWin brings too many packages for CI, so this is a
# developer's check, not a test.
set -euo pipefail
here=$(realpath "$(dirname "$0")")
build=$(realpath "${1:-$here/../build}")
picture=$(realpath -m "${2:-kwin.png}")
fail() {
    echo "kwin-check: $*" >&2
    if [[ -n ${work:-} ]]; then
        tail -n 20 "$work"/*.log >&2
    fi
    exit 1
}
kwin=$(command -v kwin_wayland) ||
    fail "kwin_wayland is missing: apt-get install --no-install-recommends kwin-wayland"
for tool in gjs convert dbus-monitor; do
    command -v "$tool" >/dev/null || fail "$tool is missing"
done
# A private session bus, which goes when the check ends.
if [[ -z ${TESSEL_KWIN_PRIVATE:-} ]]; then
    exec env TESSEL_KWIN_PRIVATE=1 dbus-run-session -- "$0" "$build" "$picture"
fi
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait; rm -rf "$work"' EXIT
source "$here/kwin/fake-pointer.sh"
build_fake_pointer "$work" || fail "could not build fake_pointer"
tessel=$build/src/app/tessel
window=$build/tests/support/tessel_solid_window
width=1280
height=720

# Waits up to twenty seconds for a command to succeed.
await() {
    for _ in $(seq 200); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "gave up waiting for: $*"
}

# The packaged binary carries a file capability, which containers refuse to run; a copy has
# none. KWin runs only under its own name.
mkdir "$work/bin"
cp "$kwin" "$work/bin/kwin_wayland"
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime TESSEL_CONFIG_DIR=$work/tessel
export XDG_CONFIG_HOME=$HOME/.config KWIN_WAYLAND_NO_PERMISSION_CHECKS=1
export KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1
mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$HOME"
unset DISPLAY WAYLAND_DISPLAY
"$work/bin/kwin_wayland" --virtual --socket tessel-kwin --width $width --height $height \
    >"$work/kwin.log" 2>&1 &
await gdbus introspect --session -d org.kde.KWin -o /Scripting
gdbus call --session -d org.kde.KWin -o /KWin -m org.kde.KWin.supportInformation |
    grep -o 'KWin version: [0-9.]*' || true
output=$(gdbus call --session -d org.kde.KWin -o /KWin -m org.kde.KWin.activeOutputName |
    sed "s/[(',)]//g")
export WAYLAND_DISPLAY=tessel-kwin QT_QPA_PLATFORM=offscreen

# Every report of Tessel's script, and every load, as they go over the bus, line by line.
stdbuf -oL dbus-monitor --session "type='method_call',interface='com.corvane.Tessel.KWin'" \
    "type='method_call',interface='org.kde.kwin.Scripting'" \
    >"$work/reports.log" 2>&1 &

# Saves the screen as KWin shows it to PICTURE.
picture() {
    read -r w h stride format < <(gjs "$here/kwin/screenshot.js" "$output" "$work/screen.raw")
    [[ $format == 5 || $format == 6 ]] || fail "KWin's screenshot came in QImage format $format"
    written() { [[ $(stat -c %s "$work/screen.raw") -ge $((stride * h)) ]]; }
    await written
    convert -size $((stride / 4))x"$h" -depth 8 bgra:"$work/screen.raw" -crop "${w}x${h}+0+0" \
        -alpha off +repage "$1"
}
# The pixel of PICTURE at X Y (the centre by default) as "R,G,B".
pixel() {
    local at="p{${2:-$((width / 2))},${3:-$((height / 2))}}"
    convert "$1" -format "%[fx:round(255*$at.r)],%[fx:round(255*$at.g)],%[fx:round(255*$at.b)]" info:
}

"$window" org.tessel.Page ffffff >"$work/window.log" 2>&1 &
await grep -q ready "$work/window.log"
"$tessel" settings set onboarded true >/dev/null
"$tessel" settings set day '{"paper": "kozo", "gsm": 220}' >/dev/null
"$tessel" settings set dayNight '"screen"' >/dev/null
"$tessel" settings set excludedApps '["org.tessel.Excluded"]' >/dev/null
"$tessel" settings set hideFromScreenshots false >/dev/null
"$tessel" settings set ruler true >/dev/null
"$tessel" >"$work/tessel.log" 2>&1 &
await "$tessel" status || { cat "$work/tessel.log"; fail "Tessel did not start"; }
"$tessel" status | grep -q 'Platform: wayland' || fail "Tessel is not on its Wayland backend"

await grep -q '"org.tessel.Page"' "$work/reports.log" ||
    { cat "$work/reports.log"; fail "the script did not report the window"; }
grep -A1 'member=ActiveWindowChanged' "$work/reports.log" | grep -o 'string ".*"' | tail -1
grep -q 'member=PointerMoved' "$work/reports.log" || fail "the script did not report the pointer"
echo "kwin-check: the script reports the front window and the pointer"

# Paper fades in.
await bash -c "\"$tessel\" status | grep -q 'kozo .*gsm day'"
sleep 2
picture "$picture"
echo "kwin-check: paper over the white window reads $(pixel "$picture")"
# KWin puts the pointer in the middle of the screen, and the ruler's band follows it there.
above=$(pixel "$picture" $((width / 2)) $((height / 4)))
[[ ${above%%,*} -lt $(pixel "$picture" | cut -d, -f1) ]] ||
    fail "the ruler's band is not where KWin has the pointer"
echo "kwin-check: the ruler's band lies at the pointer, the screen above it veiled to $above"

# Pointer moves reach Tessel while the ruler follows them; with the paper off, once the script is
# loaded again, none do.
reports() { grep -c "member=$1" "$work/reports.log" || true; }
more_than() { [[ $(reports "$1") -gt $2 ]]; }
moved=$(reports PointerMoved)
"$work/fake_pointer" move 1 $width $height
await more_than PointerMoved $((moved + 10))
loads=$(reports loadScript)
"$tessel" off >/dev/null
await more_than loadScript "$loads"
moved=$(reports PointerMoved)
"$work/fake_pointer" move 1 $width $height
# The bus may still carry a report sent before the last move.
sleep 1
[[ $(reports PointerMoved) -eq $moved ]] || fail "the script reports the pointer with paper off"
"$tessel" on >/dev/null
echo "kwin-check: the script reports pointer moves only while the ruler follows them"

# An excluded app's window in front hides the paper.
"$window" org.tessel.Excluded ffffff >"$work/excluded.log" 2>&1 &
excluded=$!
await grep -q ready "$work/excluded.log"
white() {
    picture "$work/now.png" && [[ $(pixel "$work/now.png") == 255,255,255 ]]
}
await white
kill $excluded
await bash -c "! kill -0 $excluded"
echo "kwin-check: an excluded app in front hides the paper"

# Sampling through KWin's screenshots: a black window in front brings night paper.
"$window" org.tessel.Night 000000 >"$work/night.log" 2>&1 &
await grep -q ready "$work/night.log"
await bash -c "\"$tessel\" status | grep -q 'gsm night'" ||
    { "$tessel" status; fail "sampling did not see the black window"; }
echo "kwin-check: sampling sees the black window and Tessel turns to night paper"

# Tessel starts with the paper let into screenshots, which loads the script again with that word
# in it: it must go on reporting.
await bash -c "grep -q '^after$' <(awk '/member=loadScript/ { n++ } n == 2 && /member=ActiveWindowChanged/ { print \"after\" }' '$work/reports.log')"
# A moment gives the focus back to the app that had it, though another took it meanwhile.
picture "$work/before.png"
"$tessel" art >/dev/null
changed() {
    picture "$work/now.png" && [[ $(pixel "$work/now.png") != $(pixel "$work/before.png") ]]
}
await changed
"$window" org.tessel.Interloper ffffff >"$work/interloper.log" 2>&1 &
await grep -q ready "$work/interloper.log"
last_active() {
    grep -A1 'member=ActiveWindowChanged' "$work/reports.log" | grep -o 'org\.tessel\.[A-Za-z]*' |
        tail -1
}
active_is() { [[ $(last_active) == "$1" ]]; }
await active_is org.tessel.Interloper
"$work/fake_pointer" click
await active_is org.tessel.Night || fail "the focus did not go back to the night window"
echo "kwin-check: after the art the night window has the focus again"

if grep -q 'member=CaptureExclusionAvailable' "$work/reports.log"; then
    echo "kwin-check: KWin keeps the paper out of screenshots"
else
    echo "kwin-check: this KWin cannot keep the paper out of screenshots"
fi
echo "$picture"

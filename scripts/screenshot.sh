#!/usr/bin/env bash
# Photographs Tessel's paper over a page of text on a private X desktop (Xvfb, openbox, picom)
# and writes docs/screenshot.png for the README. Usage: scripts/screenshot.sh [TESSEL]
set -euo pipefail
cd "$(dirname "$0")/.."
tessel=$(realpath "${1:-build/release/src/app/tessel}")
out=docs/screenshot.png
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
source scripts/desktop.sh

start_x_desktop 1280x800

convert -size 1280x800 xc:'#fbfbfa' -fill '#222' \
    -font /usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf \
    -pointsize 34 -annotate +110+140 'On Reading Slowly' -pointsize 19 -annotate +110+200 \
    "A page read on a screen is a page all the same. The eye moves along the line,
returns, and moves again; what changes is the light it meets. Paper gives
that light a grain to rest on: a faint tooth, a warmth, the sense of a
surface rather than a window. Long hours feel shorter on it.

Lay a sheet over the screen and the text does not move; it only settles." "$work/page.png"
display -geometry +0+0 -borderwidth 0 "$work/page.png" &
await xdotool search --name ImageMagick

export TESSEL_CONFIG_DIR="$work/config"
"$tessel" settings set onboarded true
"$tessel" settings set day '{"paper": "kozo", "gsm": 220}'
dbus-run-session -- "$tessel" >"$work/tessel.log" 2>&1 &
await xdotool search --name 'Tessel paper'
# Without a panel Tessel opens its window of controls; the picture is of the page.
await xdotool search --name '^Tessel$'
xdotool search --name '^Tessel$' windowminimize
xdotool search --name ImageMagick windowactivate
# Paper fades in; give the fade its time before the picture is taken.
sleep 2
import -window root "$work/root.png"
convert "$work/root.png" -crop 1280x780+0+20 +repage -resize 960x585 -colors 160 "PNG8:$out"
echo "$out"

#!/usr/bin/env bash
# The main window on a 1920 x 1080 screen (Xvfb), sized to the whole screen with xdotool, a month
# of records loaded (the start a month back, then F5). Needs build/ (scripts/demo.sh), Xvfb,
# xdotool and ImageMagick's import. Writes /tmp/maxshot/month.png.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build
stage=/tmp/maxshot/pcvimo
rm -rf /tmp/maxshot; mkdir -p /tmp/maxshot
cmake --install "$build" --prefix "$stage" >/dev/null
"$top/scripts/demo-setup.sh" "$stage"
first=$(date -d "-30 days" +%F)
"$build/bench/pcvimo-make-year" "$stage" --first "$first" --days 31 --per-day 12 --sows 300 >/dev/null
for f in "$stage"/VimoLog/*.txt; do sed -i "s/\x0/ /g" "$f"; done
export HOME=/tmp/maxshot/home; mkdir -p $HOME
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp & xpid=$!
sleep 1
export DISPLAY=$display
(cd /tmp && "$stage/pcvimo") & ppid=$!
sleep 6
wid=$(xdotool search --name "PC Vimo 2 Version" | head -1)
xdotool windowmove "$wid" 0 0 windowsize "$wid" 1920 1080
sleep 2
import -window root /tmp/maxshot/startup.png
# the start a month back (its month section, one down), then F5
xdotool mousemove 212 994 click 1
sleep 0.5
xdotool key Down
sleep 0.5
xdotool key F5
sleep 3
import -window root /tmp/maxshot/month.png
kill $ppid; sleep 1; kill $xpid || true

#!/usr/bin/env bash
# Takes the window's picture for the README and the AppStream metainfo: starts the window on a
# virtual display with the bundled example, picks a subtitle so that the preview shows it, and
# keeps the window's part of the screen:
#   OUT/window.png
# Needs Xvfb (xvfb), xdotool and ffmpeg.
# Usage: scripts/window-picture.sh [WINDOW_PROGRAM] [OUT]   (defaults: build/lumelle, docs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$root/build/lumelle}
out=${2:-$root/docs}
work=$(mktemp -d)
display=:$((50 + RANDOM % 50))
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# A copy of its own, so that the settings file written beside it is a throw-away one.
cp "$program" "$work/lumelle"
cp "$root/examples/example.srt" "$work/"
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
pids+=($!)
sleep 2
export DISPLAY=$display
(cd "$work" && HOME=$work XDG_CONFIG_HOME=$work/config ./lumelle example.srt >/dev/null 2>&1) &
pids+=($!)
sleep 6
xdotool key Return          # the "Loaded Successfully" message
sleep 1
xdotool mousemove 820 120 click 1 mousemove 800 132 click 1 mousemove 1000 760
sleep 2
# Without a window manager the window sits at (110, 31), 803x705 pixels with its frame.
ffmpeg -v error -y -f x11grab -video_size 1024x768 -i "$display" -frames:v 1 \
  -vf crop=803:705:110:31 "$out/window.png"
echo "$out/window.png"

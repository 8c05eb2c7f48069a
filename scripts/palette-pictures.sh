#!/usr/bin/env bash
# Shows how mpv (and so every player built on ffmpeg) draws Lumelle's output in two palette
# modes: converts one subtitle with "--palette pc" and with the default "--palette two", plays
# each pair over a blue picture with mpv and keeps the band holding the text:
#   OUT/palette-pc.png and OUT/palette-two.png
# Usage: scripts/palette-pictures.sh [CONVERTER] [OUT]   (defaults: build/lumelle-convert, docs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
converter=${1:-$root/build/lumelle-convert}
out=${2:-$root/docs}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf '1\r\n00:00:01,000 --> 00:00:04,000\r\nWhite text, black outline\r\n' >"$work/sample.srt"
for mode in pc two; do
  mkdir -p "$work/$mode"
  "$converter" --quiet --palette "$mode" --output "$work/$mode" "$work/sample.srt"
  mpv --no-config --really-quiet --no-audio --vo=image --vo-image-format=png \
    --vo-image-outdir="$work/$mode/frames" --start=2 --frames=1 \
    --sub-file="$work/$mode/sample.idx" 'av://lavfi:color=c=blue:s=720x576:r=25:d=5'
  ffmpeg -v error -y -i "$work/$mode/frames/00000001.png" -vf crop=480:60:120:460 \
    "$out/palette-$mode.png"
done

#!/usr/bin/env bash
# Whole-process speed of lumelle-convert against spumux (Debian package dvdauthor) on one
# generated film at the same font size, run interleaved so that a busy machine slows both
# alike. Prints medians, the ratio and lumelle-convert's peak memory.
#   bench/peer_speed.sh [BUILD_DIR=build-rel] [COUNT=1500] [ROUNDS=6]
# BUILD_DIR needs lumelle-convert and lumelle_bench (a Release build:
# cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMELLE_BUILD_TESTS=OFF).
# Needs dvdauthor and ffmpeg; this script installs nothing. spumux finds its font as
# ~/.spumux/arial.ttf, which is linked to Liberation Sans (the font "Arial" resolves to).
set -euo pipefail
build=${1:-build-rel}
count=${2:-1500}
rounds=${3:-6}
for tool in spumux ffmpeg python3; do
    command -v "$tool" >/dev/null || { echo "peer_speed: $tool is missing" >&2; exit 2; }
done
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$HOME/.spumux" "$work/out"
[ -e "$HOME/.spumux/arial.ttf" ] ||
    ln -s /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf "$HOME/.spumux/arial.ttf"

"$build/lumelle_bench" film "$count" "$work/film.srt" >/dev/null 2>&1
ffmpeg -loglevel error -f lavfi -i color=black:s=720x576:r=25:d=1 -target pal-dvd -an \
    "$work/short.mpg"
# Font size 20 in lumelle-convert is 27 pixels at 96 dpi.
cat >"$work/spu.xml" <<EOF
<subpictures format="PAL">
  <stream>
    <textsub filename="$work/film.srt" characterset="UTF-8" fontsize="27" font="arial.ttf"
      horizontal-alignment="center" vertical-alignment="bottom" left-margin="60" right-margin="60"
      top-margin="20" bottom-margin="30" subtitle-fps="25" movie-fps="25" movie-width="720" movie-height="576"/>
  </stream>
</subpictures>
EOF

echo "load before: $(cat /proc/loadavg)"
python3 - "$build/lumelle-convert" "$work" "$count" "$rounds" <<'EOF'
import statistics, subprocess, sys, time
convert, work, count, rounds = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])

def timed(cmd, shell=False):
    start = time.perf_counter()
    subprocess.run(cmd, shell=shell, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    return time.perf_counter() - start

ours = [convert, "-q", "-o", f"{work}/out", f"{work}/film.srt"]
peer = f"spumux -s0 {work}/spu.xml < {work}/short.mpg > {work}/out/peer.mpg"
timed(ours)
spumux, lumelle = [], []
for _ in range(rounds):
    spumux.append(timed(peer, shell=True))
    lumelle += [timed(ours) for _ in range(8)]
s, l = statistics.median(spumux), statistics.median(lumelle)
print(f"spumux         median {s:.3f} s ({len(spumux)} runs)")
print(f"lumelle-convert median {l * 1000:.1f} ms ({len(lumelle)} runs), "
      f"{count / l:.0f} subtitles/s, {s / l:.1f} times spumux")
EOF
/usr/bin/time -f "lumelle-convert peak memory: %M KiB" "$build/lumelle-convert" -q -o "$work/out" \
    "$work/film.srt"
echo "load after: $(cat /proc/loadavg)"

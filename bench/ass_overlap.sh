#!/usr/bin/env bash
# How closely lumelle-convert's VobSub pictures of ASS/SSA scripts cover what libass draws: each
# script of bench/overlap/ (or those given) is converted to a pair, and the pair (decoded by
# ffmpeg's dvdsub decoder) and the script (drawn by libass through ffmpeg's subtitles filter)
# are laid over black and over white at every frame of 25 frames a second. A pixel is ink
# where it covers at least half of what lies under it (the two backgrounds differ by at most
# 127 there). Prints per script the overlap of the two inks (pixels inked by both over pixels
# inked by either, summed over all frames), then the median.
#   bench/ass_overlap.sh [BUILD_DIR=build] [SCRIPT...]
#   KEEP=DIR keeps the pairs and, with FRAMES="N M ...", PNGs of those frames side by side
#   (libass left, Lumelle right, over black) for looking at.
#   OPTIONS="..." passes more options to lumelle-convert (for instance "--animation-steps 25",
#   to draw moving text at every frame as libass does).
#   EVENTS=1 also prints the overlap over each event's frames (indented, by event number), to
#   find which event of a script falls short.
# Needs ffmpeg (built with libass) and python3; installs nothing.
set -euo pipefail
build=${1:-build}
shift || true
here=$(cd "$(dirname "$0")" && pwd)
scripts=("$@")
[ ${#scripts[@]} -gt 0 ] || scripts=("$here"/overlap/*.ass "$here"/overlap/*.ssa)
for tool in ffmpeg python3; do
    command -v "$tool" >/dev/null || { echo "ass_overlap: $tool is missing" >&2; exit 2; }
done
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
if [ -n "${KEEP:-}" ]; then
    work=$KEEP
    mkdir -p "$work"
else
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi

# The ink mask of a drawing over black ([b]) and over white ([w]), one gray byte a pixel,
# 255 where inked.
mask='[b]format=gbrp,extractplanes=g[bg];[w]format=gbrp,extractplanes=g[wg];'
mask+="[bg][wg]blend=all_expr='if(lt(B-A\,128)\,255\,0)',format=gray"
size=720x576

for script in "${scripts[@]}"; do
    name=$(basename "${script%.*}")
    # shellcheck disable=SC2086 # OPTIONS holds several words
    "$build/lumelle-convert" -q --fps 25 --no-help-file ${OPTIONS:-} -o "$work/" "$script" \
        2>/dev/null
    # Long enough for the last event: its end time, in seconds, rounded up.
    seconds=$(python3 - "$script" <<'EOF'
import sys
last = 0
for line in open(sys.argv[1], encoding="utf-8-sig"):
    if line.startswith("Dialogue:"):
        end = line.split(",")[2].strip()
        h, m, s = end.split(":")
        last = max(last, int(h) * 3600 + int(m) * 60 + float(s))
print(int(last) + 1)
EOF
)
    black="color=black:s=$size:r=25:d=$seconds,format=rgb24"
    white="color=white:s=$size:r=25:d=$seconds,format=rgb24"
    escaped=$(printf '%s' "$script" | sed "s/[\\\\':,]/\\\\&/g")
    ffmpeg -loglevel error -y -f lavfi -i "$black" -f lavfi -i "$white" -filter_complex \
        "[0]subtitles=filename='$escaped'[b];[1]subtitles=filename='$escaped'[w];$mask" \
        -f rawvideo "$work/$name.libass.gray"
    ffmpeg -loglevel error -y -f lavfi -i "$black" -f lavfi -i "$white" \
        -i "$work/$name.idx" -i "$work/$name.idx" -filter_complex \
        "[0][2:s]overlay=eof_action=pass:format=gbrp[b];[1][3:s]overlay=eof_action=pass:format=gbrp[w];$mask" \
        -f rawvideo "$work/$name.lumelle.gray"
    if [ -n "${KEEP:-}" ] && [ -n "${FRAMES:-}" ]; then
        for frame in $FRAMES; do
            ffmpeg -loglevel error -y -f lavfi -i "$black" -i "$work/$name.idx" -filter_complex \
                "[0]split[a][c];[a]subtitles=filename='$escaped'[l];[c][1:s]overlay=format=gbrp[v];\
[l][v]hstack,select=eq(n\,$frame)" -frames:v 1 "$work/$name.$frame.png"
        done
    fi
    python3 - "$work/$name.libass.gray" "$work/$name.lumelle.gray" "$name" "$script" \
        "${EVENTS:-}" <<'EOF'
import sys
size = 720 * 576
frames = [] # pixels inked by both and by either, per frame
with open(sys.argv[1], "rb") as a, open(sys.argv[2], "rb") as b:
    while True:
        x, y = a.read(size), b.read(size)
        if len(x) < size or len(y) < size:
            break
        p, q = int.from_bytes(x, "big"), int.from_bytes(y, "big")
        frames.append(((p & q).bit_count(), (p | q).bit_count()))
def overlap(part):
    both, either = sum(f[0] for f in part), sum(f[1] for f in part)
    return both / either if either else 1.0
print(f"{sys.argv[3]} {overlap(frames):.3f}")
if sys.argv[5]:
    def seconds(text):
        h, m, s = text.strip().split(":")
        return int(h) * 3600 + int(m) * 60 + float(s)
    number = 0
    for line in open(sys.argv[4], encoding="utf-8-sig"):
        if not line.startswith("Dialogue:"):
            continue
        number += 1
        fields = line.split(",", 9)
        first, last = round(seconds(fields[1]) * 25), round(seconds(fields[2]) * 25)
        text = fields[9].strip()[:40]
        print(f"  {number:3} {overlap(frames[first:last]):.3f} {text}", file=sys.stderr)
EOF
    [ -n "${KEEP:-}" ] || rm -f "$work/$name".*
done | tee "$work/overlaps.txt"
python3 - "$work/overlaps.txt" <<'EOF'
import statistics, sys
values = [float(line.split()[1]) for line in open(sys.argv[1])]
print(f"median {statistics.median(values):.3f} of {len(values)} scripts")
EOF

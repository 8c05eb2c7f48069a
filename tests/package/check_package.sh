#!/usr/bin/env bash
# Checks a Debian package of Lumelle: unpacks it into a throw-away root, lists what it installs,
# converts the bundled example with the packaged lumelle-convert, reads the pair back with
# ffprobe and runs lintian, which must report no error.
# Usage: check_package.sh PACKAGE.deb
#        check_package.sh --from-build BUILD_DIR   (packs BUILD_DIR with cpack first)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ "${1:-}" = --from-build ]; then
  cpack -G DEB --config "$2/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
  deb=$(ls "$work"/out/*.deb)
else
  deb=$1
fi
fail() { echo "FAIL: $*" >&2; exit 1; }

echo "== $(basename "$deb")"
dpkg-deb --field "$deb" Package Version Depends Recommends
dpkg -x "$deb" "$work/root"
echo "== installed files"
(cd "$work/root" && find . -type f -o -type l | sed 's/^\.//' | sort) | tee "$work/files"
for f in /usr/bin/lumelle /usr/bin/lumelle-convert /usr/share/applications/lumelle.desktop \
  /usr/share/icons/hicolor/48x48/apps/lumelle.png /usr/share/icons/hicolor/256x256/apps/lumelle.png \
  /usr/share/man/man1/lumelle.1.gz /usr/share/man/man1/lumelle-convert.1.gz \
  /usr/share/doc/lumelle/README.md /usr/share/doc/lumelle/copyright; do
  grep -qx "$f" "$work/files" || fail "$f is not in the package"
done
grep -q '^MimeType=.*application/x-subrip;.*text/x-microdvd;' \
  "$work/root/usr/share/applications/lumelle.desktop" || fail "desktop entry lacks the MIME types"
dpkg-deb --field "$deb" Depends | grep -q libqt6gui6 || fail "Depends does not name Qt"

echo "== converting the example with the packaged lumelle-convert"
cp "$root/examples/example.srt" "$work/example.srt"
env -u XDG_RUNTIME_DIR "$work/root/usr/bin/lumelle-convert" --palette pc --output "$work/pair" \
  "$work/example.srt" 2>"$work/convert.err" || { cat "$work/convert.err"; fail "conversion"; }
[ ! -s "$work/convert.err" ] || { cat "$work/convert.err"; fail "unexpected messages"; }
probe=$(ffprobe -v error -show_entries stream=codec_name,width,height -of csv=p=0 \
  "$work/pair/example.idx")
echo "ffprobe: $probe"
[ "$probe" = "dvd_subtitle,720,576" ] || fail "ffprobe reads '$probe'"
"$work/root/usr/bin/lumelle-convert" --version | grep -qx "lumelle-convert $(dpkg-deb --field "$deb" Version)" ||
  fail "--version does not match the package"

echo "== lintian"
lintian --fail-on error --tag-display-limit 0 "$deb" | tee "$work/lintian" || fail "lintian reports an error"
echo "package check passed"

#!/usr/bin/env bash
# Checks the Debian packages of Lumelle (lumelle-convert and lumelle): unpacks them into a
# throw-away root, lists what they install, checks the split (the converter needs no Qt Widgets),
# converts the bundled example with the packaged lumelle-convert, reads the pair back with
# ffprobe, validates the AppStream metainfo and runs lintian, which must report no error and
# no warning. lintian and appstreamcli are run when installed; a line says so when they are not.
# Usage: check_package.sh PACKAGE.deb...
#        check_package.sh --from-build BUILD_DIR   (packs BUILD_DIR with cpack first)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ "${1:-}" = --from-build ]; then
  cpack -G DEB --config "$2/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
  debs=("$work"/out/*.deb)
else
  debs=("$@")
fi
fail() { echo "FAIL: $*" >&2; exit 1; }

convert_deb="" window_deb=""
for deb in "${debs[@]}"; do
  case $(dpkg-deb --field "$deb" Package) in
    lumelle-convert) convert_deb=$deb ;;
    lumelle) window_deb=$deb ;;
  esac
done
[ -n "$convert_deb" ] || fail "no lumelle-convert package among ${debs[*]}"
[ -n "$window_deb" ] || fail "no lumelle package among ${debs[*]}"

for deb in "$convert_deb" "$window_deb"; do
  echo "== $(basename "$deb")"
  dpkg-deb --field "$deb" Package Version Depends Recommends
  dpkg -x "$deb" "$work/root"
done
version=$(dpkg-deb --field "$convert_deb" Version)
[ "$version" = "$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)" ] ||
  fail "package version $version is not the version of debian/changelog"
[ "$(dpkg-deb --field "$window_deb" Version)" = "$version" ] || fail "the versions differ"

echo "== installed files"
(cd "$work/root" && find . -type f -o -type l | sed 's/^\.//' | sort) | tee "$work/files"
for f in /usr/bin/lumelle /usr/bin/lumelle-convert /usr/share/applications/lumelle.desktop \
  /usr/share/metainfo/lumelle.metainfo.xml /usr/share/icons/hicolor/scalable/apps/lumelle.svg \
  /usr/share/icons/hicolor/48x48/apps/lumelle.png /usr/share/icons/hicolor/256x256/apps/lumelle.png \
  /usr/share/man/man1/lumelle.1.gz /usr/share/man/man1/lumelle-convert.1.gz \
  /usr/share/bash-completion/completions/lumelle-convert \
  /usr/share/doc/lumelle-convert/copyright /usr/share/doc/lumelle/copyright; do
  grep -qx "$f" "$work/files" || fail "$f is not in the packages"
done
# dh_compress packs the README; CPack leaves it as it is.
grep -qx '/usr/share/doc/lumelle-convert/README.md\(.gz\)\?' "$work/files" ||
  fail "the README is not in the packages"
grep -q '^License: Expat' "$work/root/usr/share/doc/lumelle/copyright" ||
  fail "copyright does not name the Expat licence"
grep -q '^MimeType=.*application/x-subrip;.*text/x-microdvd;' \
  "$work/root/usr/share/applications/lumelle.desktop" || fail "desktop entry lacks the MIME types"
grep -q "<release version=\"$version\"" "$work/root/usr/share/metainfo/lumelle.metainfo.xml" ||
  fail "the metainfo does not name release $version"
# The split: the converter needs no Qt Widgets, the window needs the converter's package.
dpkg-deb --field "$convert_deb" Depends | grep -q libqt6gui6 || fail "Depends does not name Qt"
! dpkg-deb --field "$convert_deb" Depends | grep -q libqt6widgets ||
  fail "lumelle-convert depends on Qt Widgets"
dpkg-deb --field "$window_deb" Depends | grep -q "lumelle-convert (= $version)" ||
  fail "lumelle does not depend on lumelle-convert"
dpkg-deb --field "$convert_deb" Recommends | grep -q fonts-noto-core ||
  fail "lumelle-convert does not recommend the Noto fonts"

echo "== converting the example with the packaged lumelle-convert"
cp "$root/examples/example.srt" "$work/example.srt"
env -u XDG_RUNTIME_DIR "$work/root/usr/bin/lumelle-convert" --palette pc --output "$work/pair" \
  "$work/example.srt" 2>"$work/convert.err" || { cat "$work/convert.err"; fail "conversion"; }
[ ! -s "$work/convert.err" ] || { cat "$work/convert.err"; fail "unexpected messages"; }
probe=$(ffprobe -v error -show_entries stream=codec_name,width,height -of csv=p=0 \
  "$work/pair/example.idx")
echo "ffprobe: $probe"
[ "$probe" = "dvd_subtitle,720,576" ] || fail "ffprobe reads '$probe'"
"$work/root/usr/bin/lumelle-convert" --version | head -n 1 |
  grep -qx "lumelle-convert $version" || fail "--version does not match the package"
QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/lumelle" --version | head -n 1 |
  grep -qx "lumelle $version" || fail "lumelle --version does not match the package"

echo "== appstream"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$work/root/usr/share/metainfo/lumelle.metainfo.xml" ||
    fail "the metainfo does not validate"
else
  echo "appstreamcli is not installed (Debian appstream): the metainfo was not validated"
fi

echo "== lintian"
if command -v lintian >/dev/null; then
  # Info tags are listed too; errors and warnings fail the check.
  lintian --fail-on error,warning --display-info --tag-display-limit 0 \
    "$convert_deb" "$window_deb" | tee "$work/lintian" || fail "lintian reports an error or a warning"
else
  echo "lintian is not installed (Debian lintian): the packages were NOT checked by lintian"
fi
echo "package check passed"

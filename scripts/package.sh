#!/usr/bin/env bash
# Builds the Debian packages of Lumelle into dist/: lumelle-convert (the command line) and
# lumelle (the window), with the source package, by dpkg-buildpackage from debian/ in a clean
# copy of the tree; the tests run during the build, offscreen and without network. Installs
# what debian/control names for the build (as root, only what is missing) and nothing else.
# With --check the packages are then unpacked into a throw-away root, tried on the example and
# checked with lintian, the source package as well.
set -euo pipefail
cd "$(dirname "$0")/.."

sudo=""
if [ "$(id -u)" != 0 ]; then sudo="sudo"; fi
if ! command -v dpkg-checkbuilddeps >/dev/null || ! dpkg-checkbuilddeps 2>/dev/null; then
  echo "Installing the build dependencies of debian/control"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    dpkg-dev >/dev/null
  DEBIAN_FRONTEND=noninteractive $sudo apt-get build-dep -y -qq ./ >/dev/null
fi

version=$(dpkg-parsechangelog -S Version)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The files of the tree, without build folders or anything git ignores (or, in a tree that is
# no git checkout, without the build, dist and obj-* folders).
mkdir "$work/lumelle-$version"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -co --exclude-standard -z | tar -c --null -T - | tar -x -C "$work/lumelle-$version"
else
  tar -c --exclude='./build*' --exclude=./dist --exclude='./obj-*' . |
    tar -x -C "$work/lumelle-$version"
fi
(cd "$work/lumelle-$version" && dpkg-buildpackage -us -uc) >"$work/build.log" 2>&1 ||
  { tail -n 60 "$work/build.log"; echo "dpkg-buildpackage failed (log above)" >&2; exit 1; }
mkdir -p dist
rm -f dist/lumelle*_"$version"*
cp "$work"/lumelle*_"$version"* dist/
ls dist/lumelle*_"$version"*
if [ "${1:-}" = --check ]; then
  bash tests/package/check_package.sh dist/lumelle-convert_"$version"_*.deb \
    dist/lumelle_"$version"_*.deb
  if command -v lintian >/dev/null; then
    echo "== lintian (source)"
    lintian --fail-on error,warning --display-info dist/lumelle_"$version".dsc
  fi
fi

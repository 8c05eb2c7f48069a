#!/usr/bin/env bash
# Builds the Debian package of Lumelle into dist/: a Release build with Debian's hardening
# flags, installed under /usr and packed by CPack, its dependencies read from the shared
# libraries the programs link. With --check the package is then unpacked into a throw-away
# root, tried on the example and checked with lintian.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
build=${LUMELLE_PACKAGE_BUILD_DIR:-build-package}
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMELLE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target lumelle lumelle-convert lumelle_install_files
cpack -G DEB --config "$build/CPackConfig.cmake" -B dist >/dev/null
rm -rf dist/_CPack_Packages
deb=$(ls -t dist/*.deb | head -n 1)
echo "Package: $deb"
if [ "${1:-}" = --check ]; then
  bash tests/package/check_package.sh "$deb"
fi

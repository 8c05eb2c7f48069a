#!/usr/bin/env bash
# Installs what is missing, builds Lumelle with its tests and runs every test: the normal build,
# the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of
# every fuzz target. LUMELLE_QUICK=1 runs the normal build's tests only.
set -euo pipefail
cd "$(dirname "$0")/.."

export LUMELLE_EXTRA_PACKAGES="clang libclang-rt-14-dev"
bash scripts/deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

# The tests see only the fonts of the packages installed above (and what those depend on), so a
# test that needs a font from elsewhere fails here as it would on a fresh machine.
build=${LUMELLE_BUILD_DIR:-build}
FONTCONFIG_FILE=$(bash scripts/test-fonts.sh "$build/test-fonts")
export FONTCONFIG_FILE
echo "== fonts seen by the tests: $(fc-list : family | sort -u | tr '\n' ';' | sed 's/;$//')"

echo "== tests"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$jobs"
(cd "$build" && ctest --output-on-failure -j"$jobs" --timeout 600)

if [ "${LUMELLE_QUICK:-0}" = 1 ]; then exit 0; fi

echo "== tests with AddressSanitizer and UndefinedBehaviorSanitizer"
asan=${LUMELLE_ASAN_BUILD_DIR:-build-asan}
cmake -S . -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMELLE_SANITIZE=ON >/dev/null
cmake --build "$asan" -j"$jobs"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
(cd "$asan" && ctest --output-on-failure -j"$jobs" --timeout 900)

echo "== fuzz smoke runs"
unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS
bash scripts/fuzz.sh "${LUMELLE_FUZZ_SECONDS:-20}"

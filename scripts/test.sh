#!/usr/bin/env bash
# Installs what is missing, builds Lumelle with its tests, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

build=${LUMELLE_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
(cd "$build" && ctest --output-on-failure -j"$(nproc)" --timeout 600)

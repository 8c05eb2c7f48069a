#!/usr/bin/env bash
# Installs what is missing, builds Lumelle (Release) and shows the bundled example subtitle
# as the program reads it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
build=${LUMELLE_BUILD_DIR:-build-release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)"
"$build/lumelle-convert" --list examples/example.srt

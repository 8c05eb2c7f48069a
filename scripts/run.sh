#!/usr/bin/env bash
# Installs what is missing, builds Lumelle (Release) and starts the window. Without a display it
# converts the bundled example subtitle with lumelle-convert and says where the pair went.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
build=${LUMELLE_BUILD_DIR:-build-release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMELLE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target lumelle lumelle-convert

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$build/lumelle" ]; then
  exec "$build/lumelle" "$@"
fi

out=${LUMELLE_EXAMPLE_OUTPUT:-$(cd "$build" && pwd)/example-output}
mkdir -p "$out"
echo "No display: converting the bundled example with lumelle-convert."
"$build/lumelle-convert" --output "$out" examples/example.srt
echo "The VobSub pair and the help file are in $out"

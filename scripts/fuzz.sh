#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) and runs each for
# SECONDS (default 60) on a copy of its corpus in tests/fuzz/corpus/<target>. New inputs that
# reach new code are kept in build-fuzz/corpus/<target>; crashes land in build-fuzz/crashes/.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
LUMELLE_EXTRA_PACKAGES="clang libclang-rt-14-dev" bash scripts/deps.sh

build=${LUMELLE_FUZZ_BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLUMELLE_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
for t in "${targets[@]}"; do
  name=${t#fuzz_}
  work="$build/corpus/$name"
  crashes="$build/crashes/$name"
  mkdir -p "$work" "$crashes"
  if [ -d "tests/fuzz/corpus/$name" ]; then cp -n tests/fuzz/corpus/"$name"/* "$work"/ 2>/dev/null || true; fi
  dict=()
  if [ -f "tests/fuzz/$name.dict" ]; then dict=(-dict="tests/fuzz/$name.dict"); fi
  echo "== $t: ${seconds}s"
  if ! "$build/$t" "$work" "${dict[@]}" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
      -max_len=65536 -print_final_stats=1 -artifact_prefix="$crashes/" 2>"$build/$t.log"; then
    echo "FAILED: $t (see $build/$t.log and $crashes/)"
    tail -n 40 "$build/$t.log"
    status=1
  else
    grep -E 'stat::number_of_executed_units|cov:' "$build/$t.log" | tail -n 2 || true
  fi
done
exit $status

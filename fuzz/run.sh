#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs the formula fuzzer for a bounded time.
# usage: fuzz/run.sh SECONDS [BUILD_DIR]     (exits non-zero on a crash or sanitizer report)
set -euo pipefail
seconds=${1:?usage: fuzz/run.sh SECONDS [BUILD_DIR]}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build-fuzz}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DPEMU_FUZZ=ON -DPEMU_BUILD_GUI=OFF -DPEMU_BUILD_TESTS=OFF -DPEMU_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target pemu_formula_fuzzer -j2
corpus=$build/fuzz-corpus/formula
mkdir -p "$corpus"
# Seeds: byte 1 S, byte 2 Y, byte 3 grouping, then the formula.
"$build/bin/pemu_formula_fuzzer" -max_total_time="$seconds" -max_len=5100 -timeout=60 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/" \
  "$corpus" "$root/fuzz/corpus"

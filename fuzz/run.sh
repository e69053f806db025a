#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs the formula fuzzer for a bounded time, then
# the formula text file's reader for 10 seconds.
# usage: fuzz/run.sh SECONDS [BUILD_DIR]     (exits non-zero on a crash or sanitizer report)
set -euo pipefail
seconds=${1:?usage: fuzz/run.sh SECONDS [BUILD_DIR]}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build-fuzz}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DPEMU_FUZZ=ON -DPEMU_BUILD_GUI=OFF -DPEMU_BUILD_TESTS=OFF -DPEMU_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target pemu_formula_fuzzer pemu_formula_text_fuzzer -j2
corpus=$build/fuzz-corpus/formula
mkdir -p "$corpus"
# Seeds: byte 1 S, byte 2 Y, byte 3 grouping, then the formula.
"$build/bin/pemu_formula_fuzzer" -max_total_time="$seconds" -max_len=5100 -timeout=60 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/" \
  "$corpus" "$root/fuzz/corpus"
# The formula text file the formula window reads back: a short run from its own seeds.
text_corpus=$build/fuzz-corpus/formula_text
mkdir -p "$text_corpus"
"$build/bin/pemu_formula_text_fuzzer" -max_total_time=10 -max_len=8192 -timeout=10 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/formula_text-" \
  "$text_corpus" "$root/fuzz/corpus/formula_text"

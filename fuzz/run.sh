#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs them for a bounded time: the formula engine
# for two thirds of it, the skin package readers (cabinets, preview JPEGs) for the rest, then
# the formula text file's and the update server's version record's readers for 10 seconds each.
# usage: fuzz/run.sh SECONDS [BUILD_DIR]     (exits non-zero on a crash or sanitizer report)
set -euo pipefail
seconds=${1:?usage: fuzz/run.sh SECONDS [BUILD_DIR]}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build-fuzz}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DPEMU_FUZZ=ON -DPEMU_BUILD_GUI=OFF -DPEMU_BUILD_TESTS=OFF -DPEMU_BUILD_BENCH=OFF >/dev/null
targets=(pemu_formula_fuzzer pemu_formula_text_fuzzer pemu_cabinet_fuzzer pemu_version_record_fuzzer)
if grep -q pemu_jpeg_preview_fuzzer "$build/build.ninja"; then targets+=(pemu_jpeg_preview_fuzzer); fi
cmake --build "$build" --target "${targets[@]}" -j2

run() {  # name seconds max_len timeout seeds
  local corpus=$build/fuzz-corpus/$1
  mkdir -p "$corpus"
  "$build/bin/pemu_$1_fuzzer" -max_total_time="$2" -max_len="$3" -timeout="$4" \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/$1-" "$corpus" "$5"
}
share=$((seconds / 6 > 10 ? seconds / 6 : 10))
# Seeds: byte 1 S, byte 2 Y, byte 3 grouping, then the formula.
run formula $((seconds - 2 * share > 10 ? seconds - 2 * share : 10)) 5100 60 "$root/fuzz/corpus"
run cabinet "$share" 65536 10 "$root/fuzz/corpus/cabinet"
if [ -x "$build/bin/pemu_jpeg_preview_fuzzer" ]; then
  run jpeg_preview "$share" 65536 10 "$root/fuzz/corpus/jpeg_preview"
fi
# The formula text file the formula window reads back: a short run from its own seeds.
run formula_text 10 8192 10 "$root/fuzz/corpus/formula_text"
# The update server's answer: a short run from its own seeds.
run version_record 10 4096 10 "$root/fuzz/corpus/version_record"

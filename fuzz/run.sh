#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time.
# usage: fuzz/run.sh SECONDS [BUILD_DIR] [TARGET...]
#   SECONDS is shared by the targets run (each gets at least 10); without TARGETs every
#   target registered in fuzz/CMakeLists.txt runs. Exits non-zero when any target finds a
#   crash, a sanitizer report or a timeout; the input is kept as BUILD_DIR/NAME-crash-*.
set -euo pipefail
seconds=${1:?usage: fuzz/run.sh SECONDS [BUILD_DIR] [TARGET...]}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build-fuzz}
shift $(($# < 2 ? $# : 2))
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DPEMU_FUZZ=ON -DPEMU_BUILD_GUI=OFF -DPEMU_BUILD_TESTS=OFF -DPEMU_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target pemu_fuzzers -j2

# Lines "NAME MAX_LEN TIMEOUT", written by the configure step.
declare -A max_len timeout
registered=()
while read -r name len limit; do
  [[ -n $name ]] || continue
  registered+=("$name")
  max_len[$name]=$len
  timeout[$name]=$limit
done <"$build/fuzz-targets.txt"
targets=("$@")
((${#targets[@]})) || targets=("${registered[@]}")
each=$((seconds / ${#targets[@]}))
((each >= 10)) || each=10

failed=()
for name in "${targets[@]}"; do
  if [[ -z ${max_len[$name]:-} ]]; then
    echo "fuzz/run.sh: no target '$name' (registered: ${registered[*]})" >&2
    exit 2
  fi
  corpus=$build/fuzz-corpus/$name
  mkdir -p "$corpus"
  echo "=== $name: $each s"
  # New inputs go to the first folder; the seeds in the repository are only read.
  if "$build/bin/pemu_${name}_fuzzer" -max_total_time="$each" -max_len="${max_len[$name]}" \
    -timeout="${timeout[$name]}" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/$name-" "$corpus" "$root/fuzz/corpus/$name" 2>&1 |
    tee "$build/fuzz-$name.log" | grep -E "^(Done|INFO: Seed|==[0-9]+==ERROR|SUMMARY)"; then :; fi
  if ! grep -q "^Done [0-9]* runs" "$build/fuzz-$name.log"; then
    failed+=("$name")
    tail -40 "$build/fuzz-$name.log"
  fi
done
if ((${#failed[@]})); then
  echo "fuzzing found a fault in: ${failed[*]} (logs: $build/fuzz-NAME.log)" >&2
  exit 1
fi

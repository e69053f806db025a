#!/usr/bin/env bash
# Builds everything and runs every test: the full build (GUI included) and its tests, a
# bounded fuzzing run of every reader of outside data, the pure layers again under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the layers below the windows built
# for Windows and tested under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh --windows

jobs=$(nproc)
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

# Every reader of outside data (formulas, the formula text file, settings, the calculation
# log and its viewer, stored values, skin bitmaps and option.ini, cabinet packages and
# preview JPEGs, the version record, product records, pemu-calc arith) fed random input for
# 120 seconds in all: no crash, no sanitizer report. The progress goes to a log; on a failure the end of it is shown.
mkdir -p build-fuzz
if bash fuzz/run.sh 120 build-fuzz >build-fuzz/fuzz.log 2>&1; then
  grep -E "^(=== |Done [0-9]+ runs)" build-fuzz/fuzz.log || true
else
  tail -60 build-fuzz/fuzz.log
  echo "fuzzing found a fault (log: build-fuzz/fuzz.log)"
  exit 1
fi

cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset asan -j "$jobs"

# The Windows build of the engines and its tests under Wine run apart, with
# bash scripts/build-windows.sh --engines: the HTTP tests do not yet end under Wine there.

# The whole Windows program, installed and worked under Wine, where the Windows dependency
# cache exists (one run of scripts/build-windows.sh makes it; too long for CI).
windows_deps=${PEMU_WINDOWS_DEPS:-$HOME/.cache/pemu-windows}
if [ -f "$windows_deps/pemu-deps.stamp" ]; then
  bash scripts/bootstrap.sh --windows
  bash scripts/windows/build-app.sh --after-engines build-windows
else
  echo "test: skipped the Windows end-to-end test: no Windows dependency cache in $windows_deps (bash scripts/build-windows.sh makes it)"
fi

#!/usr/bin/env bash
# Builds everything and runs every test: the full build (GUI included), then the pure
# layers again under AddressSanitizer and UndefinedBehaviorSanitizer, and fuzzes the
# formula engine for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh

jobs=$(nproc)
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset asan -j "$jobs"

# Check and evaluation of random formulas: no crash, no sanitizer report.
bash fuzz/run.sh 60 build-fuzz

#!/usr/bin/env bash
# Measures the calculator window under Xvfb: cold start to first painted window (goal
# 300 ms) and click to repaint (goal 2 ms). Usage: measure.sh [build folder] [starts]
set -euo pipefail
BUILD=${1:-build}
STARTS=${2:-10}
HERE=$(cd "$(dirname "$0")" && pwd)
BIN=$(cd "$BUILD/bin" && pwd)
. "$HERE/../../tests/e2e/xvfb_session.sh"
trap xvfb_cleanup EXIT
xvfb_start
pemu_environment
# The display's background colour, from the skin the program carries.
LCD=$(convert "$BIN/PemuFiles/_sys/Default/imgDigitalNumber.bmp" -format '%[hex:p{210,22}]' info:)
"$BIN/pemu-first-paint" "$BIN/pemu" "$STARTS" "${LCD:0:6}"
"$BIN/pemu-click-repaint-bench" --benchmark_min_time=2 2>&1 | grep -E "BM_|Benchmark|---"

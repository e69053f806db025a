#!/usr/bin/env bash
# The formula engine side by side with bc -l, qalc and mpmath in one run: cost per
# evaluation and ratios per function, the square root against Python's decimal, and a
# check of the digits against mpmath at 250 digits (see compare_peers.py).
# usage: compare_peers.sh [PATH-TO-pemu-calc] [compare_peers.py options]
#        (default: build/bin/pemu-calc)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
calc=$here/../../build/bin/pemu-calc
if [[ $# -gt 0 && $1 != --* ]]; then
  calc=$1
  shift
fi
[[ -x $calc ]] || { echo "compare_peers.sh: no pemu-calc at $calc (build it, or pass its path)" >&2; exit 2; }
# The peers are needed for benchmarks only: installed here, not by the build or the tests.
bash "$here/../../scripts/bootstrap.sh" --bench
exec python3 "$here/compare_peers.py" "$calc" "$@"

#!/usr/bin/env bash
# 300 function-heavy evaluations in one run each: `pemu-calc formula --batch` at S = Y = 100
# against `bc -l` at scale=105 computing the same functions. Prints both times and the ratio.
# usage: compare_bc.sh [PATH-TO-pemu-calc]   (default: build/bin/pemu-calc)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
calc=${1:-$here/../../build/bin/pemu-calc}
[[ -x $calc ]] || { echo "compare_bc.sh: no pemu-calc at $calc (build it, or pass its path)" >&2; exit 2; }
command -v bc >/dev/null || { echo "compare_bc.sh: bc is not installed" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Twelve formula shapes, 25 arguments each; the same formula for both tools.
awk 'BEGIN {
  for (i = 1; i <= 25; i++) {
    a = sprintf("%.3f", 0.1 + i * 0.03); b = sprintf("%.2f", 1 + i * 0.41)
    print "sin(" b ")"                       > "/dev/stderr"; print "s(" b ")"
    print "cos(" b ")+tan(" a ")"            > "/dev/stderr"; print "c(" b ")+s(" a ")/c(" a ")"
    print "atan(" a ")*4"                    > "/dev/stderr"; print "a(" a ")*4"
    print "asin(" a ")+acos(" a ")"          > "/dev/stderr"; print "as(" a ")+ac(" a ")"
    print "exp(" b ")"                       > "/dev/stderr"; print "e(" b ")"
    print "ln(" b "*1000)"                   > "/dev/stderr"; print "l(" b "*1000)"
    print "log(" b ")+log(" a ")"            > "/dev/stderr"; print "l(" b ")/l(10)+l(" a ")/l(10)"
    print "sinh(" b ")-cosh(" a ")"          > "/dev/stderr"; print "(e(" b ")-e(-" b "))/2-(e(" a ")+e(-" a "))/2"
    print b "^" a                            > "/dev/stderr"; print "e(" a "*l(" b "))"
    print "sqrt(" b ")+sqrt(" a ")"          > "/dev/stderr"; print "sqrt(" b ")+sqrt(" a ")"
    print "sin(" a ")^2+cos(" a ")^2"        > "/dev/stderr"; print "s(" a ")^2+c(" a ")^2"
    print "exp(ln(" b "))/tanh(" a ")"       > "/dev/stderr"; print "e(l(" b "))/((e(" a ")-e(-" a "))/(e(" a ")+e(-" a ")))"
  }
}' > "$work/bc_lines" 2> "$work/formulas"
{
  echo "scale=105"
  echo "define as(x) { return a(x/sqrt(1-x^2)); }"
  echo "define ac(x) { return 2*a(1)-as(x); }"
  cat "$work/bc_lines"
} > "$work/program.bc"
count=$(wc -l < "$work/formulas")

now() { date +%s.%N; }
start=$(now)
"$calc" formula --batch --int 100 --frac 100 < "$work/formulas" > "$work/pemu.out"
pemu=$(echo "$(now) - $start" | bc -l)
start=$(now)
BC_LINE_LENGTH=0 bc -l "$work/program.bc" < /dev/null > "$work/bc.out"
bctime=$(echo "$(now) - $start" | bc -l)

failed=$(grep -c '^\[E' "$work/pemu.out" || true)
printf 'evaluations: %d (pemu-calc answers with an error message: %d)\n' "$count" "$failed"
printf 'pemu-calc formula --batch (S=Y=100): %.3f s\n' "$pemu"
printf 'bc -l (scale=105):                   %.3f s\n' "$bctime"
printf 'ratio bc / pemu-calc:                %.1fx\n' "$(echo "$bctime / $pemu" | bc -l)"

# The answers agree with bc to 90 fraction digits where the algorithms allow it; bc cuts
# too (sin(x)^2+cos(x)^2 comes out 0.999... there, 1 here).
agree=$(paste -d ' ' "$work/pemu.out" "$work/bc.out" | awk '
  function norm(v) { sub(/^-\./, "-0.", v); sub(/^\./, "0.", v); return substr(v, 1, index(v, ".") + 90) }
  norm($1) == norm($2) { n++ } END { print n + 0 }')
printf 'answers equal to bc in the first 90 fraction digits: %d of %d\n' "$agree" "$count"

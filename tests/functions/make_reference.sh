#!/usr/bin/env bash
# Writes reference_values.txt: "FUNCTION ARGUMENT VALUE", each value to 115 fraction
# digits (truncated) by bc -l at a wider scale, as the independent reference the function
# tests compare against. Run again only to add cases.
set -euo pipefail
cd "$(dirname "$0")"
cases=(
  "exp 1" "exp -2.5" "exp 10.75" "exp 0.001" "exp -40"
  "ln 2" "ln 10" "ln 0.001" "ln 123456.789" "ln 1.5"
  "log10 2" "log10 1000" "log10 0.5"
  "sin 1" "sin 0.5" "sin -3" "sin 30" "sin 100" "sin 123456789012345678901234567890.5"
  "cos 1" "cos 2.5" "cos -0.1" "cos -98765432109876543210987654321"
  "tan 1" "tan 0.7" "tan -1.2" "tan 1000000"
  "atan 1" "atan 0.5" "atan -2" "atan 100" "atan 0.01"
  "asin 0.5" "asin -0.9" "asin 0.1"
  "acos 0.5" "acos -0.3"
  "sinh 1" "sinh -2.5" "cosh 1" "cosh 3" "tanh 0.5" "tanh -4"
  "pow 2,0.5" "pow 10,0.25" "pow 1.5,-2.5" "pow 7,1.75"
)
bc_expression() {
  local fn=$1 x=$2
  case $fn in
    exp) echo "e($x)" ;;
    ln) echo "l($x)" ;;
    log10) echo "l($x)/l(10)" ;;
    sin) echo "s($x)" ;;
    cos) echo "c($x)" ;;
    tan) echo "s($x)/c($x)" ;;
    atan) echo "a($x)" ;;
    asin) echo "a(($x)/sqrt(1-($x)^2))" ;;
    acos) echo "2*a(1)-a(($x)/sqrt(1-($x)^2))" ;;
    sinh) echo "(e($x)-e(-($x)))/2" ;;
    cosh) echo "(e($x)+e(-($x)))/2" ;;
    tanh) echo "(e($x)-e(-($x)))/(e($x)+e(-($x)))" ;;
    pow) echo "e(${x#*,}*l(${x%,*}))" ;;
  esac
}
{
  echo "# FUNCTION ARGUMENT VALUE (pow: BASE,EXPONENT), bc -l at scale 160, cut to 115 digits."
  for c in "${cases[@]}"; do
    read -r fn x <<<"$c"
    value=$(printf 'scale=160\nv=%s\nscale=115\nv/1\n' "$(bc_expression "$fn" "$x")" |
      BC_LINE_LENGTH=0 bc -l)
    case $value in -.*) value="-0${value#-}" ;; .*) value="0$value" ;; esac
    echo "$fn $x $value"
  done
} > reference_values.txt

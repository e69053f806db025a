#!/usr/bin/env bash
# pemu-calc formula: answers, messages, exit statuses and the batch mode.
# usage: formula_command_test.sh PATH-TO-pemu-calc
set -uo pipefail
calc=$1
failures=0

expect() {  # expect STATUS OUTPUT -- ARGS...
    local status=$1 output=$2
    shift 3
    local got rc
    got=$("$calc" formula "$@" 2>/dev/null)
    rc=$?
    if [[ $rc != "$status" || $got != "$output" ]]; then
        echo "FAIL: formula $*: status $rc, output '$got' (expected $status, '$output')"
        failures=$((failures + 1))
    fi
}

expect 0 "7" -- "1+2*3"
expect 0 "9" -- "（１＋２）×３"
expect 0 "0.333" -- --frac 3 "1/3"
expect 0 " 1 234 567" -- --group 3 "1234567"
expect 0 "-6" -- -- "2*-3"
expect 0 "3.1415926535897932384626433832" -- "pi"
expect 1 "[E825][計算] logの引数0は定義出来ません。" -- "log(0)"
expect 1 "[E706][構文] 連続した演算子が有ります。" -- "2*/3"
expect 1 "[E981][桁数] 計算結果の整数部が範囲を超えました。" -- --int 5 "123456"
expect 0 "3" -- 1 + 2
# The formula window's areas: the message wrapped to the width without splitting a
# double-byte character, the marked formula, the grouped answer.
expect 1 $'計算式： NG\n[E706][構文] 連続し\nた演算子が有ります。\n>>3文字目>> 2*<?>/3\n計算結果：\nerror' \
    -- --window 20 "2*/3"
expect 0 $'計算式： OK\n1234566+(1)\n計算結果：\n 1 234 567' -- --window 20 --group 3 "1234566+(1"
expect 0 $'計算式： OK\n1/7\n計算結果：\n0.14285\n71428' -- --window 7 --frac 10 "1/7"
for bad in "--int 0 1" "--int 101 1" "--frac x 1" "--group 1 1" "--group 6 1" "--int" \
           "--bogus 1" "" "--batch 1" "--window 1 1" "--window 1001 1" "--batch --window 9"; do
    # shellcheck disable=SC2086
    expect 2 "" -- $bad
done

batch=$(printf '1+1\n2*/3\r\n√2\n\n' | "$calc" formula --batch --int 20 --frac 5)
rc=$?
expected=$'2\n[E706][構文] 連続した演算子が有ります。\n1.41421\n[E102][構文] 有効な式が有りません。'
if [[ $rc != 0 || $batch != "$expected" ]]; then
    echo "FAIL: batch: status $rc, output:"; echo "$batch"
    failures=$((failures + 1))
fi
wrapped=$(printf '1/7\n' | "$calc" formula --batch --frac 40 --group 3)
if [[ $(wc -l <<<"$wrapped") != 1 || ${wrapped:0:9} != "   0.142 " ]]; then
    echo "FAIL: a wrapped answer in batch mode: '$wrapped'"
    failures=$((failures + 1))
fi

if ((failures > 0)); then
    echo "$failures failure(s)"
    exit 1
fi
echo "all pemu-calc formula checks passed"

#!/bin/bash
# pemu-calc keys: output lines, the tape section, and exit 2 before any key on bad input.
set -u
calc=$1
fail=0
check() {  # name expected actual
    if [[ "$2" != "$3" ]]; then
        echo "FAIL $1"; echo "  expected: $(printf '%q' "$2")"; echo "  actual:   $(printf '%q' "$3")"
        fail=1
    fi
}

out=$("$calc" keys --no-gt -- 12 + 3.5 =)
check "status lines" $'12\t12\t-\t0\n+\t12\t17\t0\n3.5\t3.5\t17\t0\n=\t15.5\t99\t0' "$out"

out=$("$calc" keys --no-gt --tape -- 1 + 2 =)
check "tape section" $'1\t1\t-\t0\n+\t1\t17\t0\n2\t2\t17\t0\n=\t3\t99\t0\n--- tape\n \n1 ＋　 　\n2 ＝　 　\n3 ＊　 　' "$out"

for args in "-- 1 + X" "--bogus -- 1" "--digits 20 -- 1" "--family -- 1"; do
    # shellcheck disable=SC2086
    out=$("$calc" keys $args 2>/tmp/pemu_keys_err.$$)
    rc=$?
    check "exit status for: $args" 2 "$rc"
    check "no key runs for: $args" "" "$out"
    [[ -s /tmp/pemu_keys_err.$$ ]] || { echo "FAIL no message for: $args"; fail=1; }
done
grep -q "'X'" <("$calc" keys -- 1 + X 2>&1) || { echo "FAIL message does not name X"; fail=1; }
rm -f /tmp/pemu_keys_err.$$
exit $fail

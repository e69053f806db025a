#!/bin/bash
# pemu-calc keys: output lines, the tape section, tape edits, and exit 2 before any key on
# bad input.
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

# Tape edits: the edit line's fields, and exit 2 before any key for an edit that is
# malformed or names a line the tape does not have at that point.
out=$("$calc" keys --no-gt -- 100 + 50 = @change:2:70:= @change:2:x:= @clear 5 + @change:1:5:=)
check "edit lines" $'100\t100\t-\t0\n+\t100\t17\t0\n50\t50\t17\t0\n=\t150\t99\t0
@change:2:70:=\t150\t99\t0\t0\t-
@change:2:x:=\t150\t99\t0\tE\t数値が正しくありません。
@clear\t150\t99\t0
5\t5\t-\t0\n+\t5\t17\t0
@change:1:5:=\t5\t17\t0\tX\t-' "$out"

out=$("$calc" keys --no-gt -- 5 + 3 = @insert:1::%)
check "refusal message" $'@insert:1::%\t8\t99\t0\t2\tSHARP式で%のみの入力式は無視されます。' \
    "$(tail -n 1 <<<"$out")"

# Each edit is checked where it stands: the notes of a recalculation are lines too (7 here).
"$calc" keys --no-gt -- 1 + 2 = @change:2:5:= @delete:7 >/dev/null
check "a line that exists where the edit stands" "0" "$?"

for args in "@delete:0" "@delete:x" "@delete:" "@change:1:5" "@change:1:5:x" "@change:1:5:++" \
            "@insert:1:5:" "@move:1" "@clear:1" "1 + @delete:3" "1 + 2 = @change:2:5:= @delete:8"; do
    # shellcheck disable=SC2086
    out=$("$calc" keys --no-gt -- $args 2>/tmp/pemu_edits_err.$$)
    rc=$?
    check "exit status for: $args" 2 "$rc"
    check "no key runs for: $args" "" "$out"
    [[ -s /tmp/pemu_edits_err.$$ ]] || { echo "FAIL no message for: $args"; fail=1; }
done
grep -q "'@delete:8'" <("$calc" keys --no-gt -- 1 + 2 = @change:2:5:= @delete:8 2>&1) ||
    { echo "FAIL message does not name the edit past the last line"; fail=1; }
grep -q "'@change:1:5:x'" <("$calc" keys -- 1 + @change:1:5:x 2>&1) ||
    { echo "FAIL message does not name the bad symbol's edit"; fail=1; }
rm -f /tmp/pemu_edits_err.$$
exit $fail

#!/usr/bin/env bash
# pemu-calc log: the 30-column lines of a log and their places on the printed pages.
# usage: log_command_test.sh PATH-TO-pemu-calc
set -uo pipefail
calc=$1
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

check() {  # name got expected
    if [[ $2 != "$3" ]]; then
        echo "FAIL: $1:"; echo "$2"; echo "expected:"; echo "$3"
        failures=$((failures + 1))
    fi
}

# A 40-character line keeps its last 30; a short one is right-aligned; CP932 comes out UTF-8.
printf '1234567890123456789012345678901234567890\r\n  12345 \r\n\x81\x7b\r\n' >"$work/log.txt"
check "lines" "$("$calc" log "$work/log.txt")" \
    "$(printf '%s\n%s\n%s' 123456789012345678901234567890 \
        "                         12345" "                            ＋")"
check "standard input" "$(printf '7' | "$calc" log)" "                             7"

# 277 lines: 69 to a column, four columns to a page, the 277th on page 2.
seq 1 277 | sed 's/$/\r/' >"$work/long.txt"
pages=$("$calc" log --pages "$work/long.txt")
check "line 1" "$(sed -n 1p <<<"$pages" | cut -f1)" "1 1 1"
check "line 70" "$(sed -n 70p <<<"$pages" | cut -f1)" "1 2 1"
check "line 276" "$(sed -n 276p <<<"$pages" | cut -f1)" "1 4 69"
check "line 277" "$(sed -n 277p <<<"$pages" | cut -f1)" "2 1 1"

"$calc" log "$work/missing.txt" >/dev/null 2>&1
check "missing file status" "$?" "1"
"$calc" log --bogus >/dev/null 2>&1
check "bad option status" "$?" "2"

[[ $failures == 0 ]] && echo "pemu-calc log: all cases pass"
exit $((failures > 0))

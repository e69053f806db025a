#!/bin/bash
# pemu-calc update-check: a record read from standard input, then the test's own HTTP server
# on the loopback address; exit 1 for a failed check, 2 for bad arguments.
set -u
calc=$1
server=$2
fail=0
check() {  # name expected actual
    if [[ "$2" != "$3" ]]; then
        echo "FAIL $1"; echo "  expected: $(printf '%q' "$2")"; echo "  actual:   $(printf '%q' "$3")"
        fail=1
    fi
}

out=$(printf '<p>[PemuAppVer][Ver]3.70.00[Url]http://h/d/[Fil]Up.sh[Siz]1[Last][End]</p>' |
    "$calc" update-check --record)
check "newer record" $'3.70.00\tnewer\thttp://h/d/Up.sh' "$out"
out=$(printf '[PemuAppVer][Ver]10.00.00[Url]u/[Fil]f[Siz][Last][End]' | "$calc" update-check --record)
check "a text comparison" $'3.69.03\tcurrent' "$out"
out=$(printf '[PemuAppVer][Ver]3.70.00[Url]u/[Fil]../x[Siz][Last][End]' | "$calc" update-check --record)
check "status of a path as file name" "1" "$?"
check "a path as file name" $'err\tfailed' "$out"
"$calc" update-check --bogus >/dev/null 2>&1
check "bad option" "2" "$?"

root=$(mktemp -d "${TMPDIR:-/tmp}/pemu-calc-update.XXXXXX")
python3 "$server" "$root" >"$root/port" 2>/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null; rm -rf "$root"' EXIT
for _ in $(seq 1 100); do grep -q PORT "$root/port" && break; sleep 0.05; done
port=$(sed -n 's/^PORT //p' "$root/port")
printf '[PemuAppVer][Ver]3.69.04[Url]http://127.0.0.1/[Fil]Update.sh[Siz][Last][End]' >"$root/AppVer.txt"
out=$(PEMU_UPDATE_URL="http://127.0.0.1:$port/pemu/AppVer.php" "$calc" update-check)
check "from the server" $'3.69.04\tnewer\thttp://127.0.0.1/Update.sh' "$out"
grep -q "User-Agent: Mozilla/3.0 (compatible; Indy Library)" "$root/requests.log" ||
    { echo "FAIL the server did not see the agent"; fail=1; }
exit $fail

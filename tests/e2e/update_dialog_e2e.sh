#!/usr/bin/env bash
# End-to-end: the update check in the real pemu under Xvfb against the test's own HTTP
# server on the loopback address, worked with the keys alone: the check finds a newer
# version, the download becomes the updater, "アップデート" starts it and pemu ends. The
# updater leaves a file behind, the settings keep the check box.
# Usage: update_dialog_e2e.sh <pemu> <loopback_server.py>
set -u
PEMU=$1
SERVER=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_session.sh"
SERVER_PID=""
stop_all() {
    [ -n "$SERVER_PID" ] && kill "$SERVER_PID" 2>/dev/null
    xvfb_cleanup
}
trap stop_all EXIT

for tool in Xvfb xdotool xdpyinfo python3; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/bootstrap.sh installs it)"
done
xvfb_start || fail "Xvfb with openbox did not start"
pemu_environment

# The server: a newer version, and an updater that notes where it ran.
ROOT="$WORK_DIR/server"
mkdir -p "$ROOT/files"
printf '#!/bin/sh\npwd > ran.txt\n' >"$ROOT/files/pemu-update.sh"
python3 "$SERVER" "$ROOT" >"$WORK_DIR/server.out" 2>&1 &
SERVER_PID=$!
PORT=""
for i in $(seq 1 100); do
    PORT=$(sed -n 's/^PORT \([0-9]*\)$/\1/p' "$WORK_DIR/server.out")
    [ -n "$PORT" ] && break
    sleep 0.05
done
[ -n "$PORT" ] || fail "the loopback server did not start: $(cat "$WORK_DIR/server.out")"
BASE="http://127.0.0.1:$PORT"
printf '[PemuAppVer][Ver]3.99.00[Url]%s/files/[Fil]pemu-update.sh[Siz]30[Last][End]' "$BASE" \
    >"$ROOT/AppVer.txt"
export PEMU_UPDATE_URL="$BASE/pemu/AppVer.php"

"$PEMU" >"$WORK_DIR/pemu.log" 2>&1 &
PEMU_PID=$!
WIN=$(wait_for_window) || fail "no window titled Pemu appeared: $(cat "$WORK_DIR/pemu.log")"
xdotool windowfocus --sync "$WIN"

# Help menu, "バージョンアップの確認 (&U)".
xdotool key alt+h u
wait_for_named_window 'バージョンアップの確認' >/dev/null || fail "the update dialog did not open"
sleep 0.3
# The check box first (Shift+Tab from the button), then "確認(&K)".
xdotool key shift+Tab space alt+k
for i in $(seq 1 100); do
    grep -q "GET /pemu/AppVer.php" "$ROOT/requests.log" 2>/dev/null && break
    sleep 0.05
done
grep -q "User-Agent: Mozilla/3.0 (compatible; Indy Library)" "$ROOT/requests.log" ||
    fail "the version request did not reach the server as expected: $(cat "$ROOT/requests.log" 2>/dev/null)"
sleep 0.5
# "ダウンロード" now has the focus: Enter downloads.
xdotool key Return
FILES="$PEMU_DATA_ROOT/PemuFiles"
for i in $(seq 1 200); do
    [ -x "$FILES/Update.exe" ] && break
    sleep 0.05
done
[ -x "$FILES/Update.exe" ] || fail "the download did not become the updater"
cmp -s "$FILES/Update.exe" "$ROOT/files/pemu-update.sh" || fail "the updater differs from the download"
[ -e "$FILES/pemu-update.sh" ] && fail "the download was saved under the server's name"
sleep 0.5
# "アップデート": the updater starts and pemu ends normally.
xdotool key Return
wait_for_pemu_end "the update started"
for i in $(seq 1 50); do
    [ -f "$FILES/ran.txt" ] && break
    sleep 0.1
done
[ -f "$FILES/ran.txt" ] || fail "the updater did not run"
[ "$(cat "$FILES/ran.txt")" = "$(cd "$FILES" && pwd)" ] || fail "the updater ran in $(cat "$FILES/ran.txt")"
grep -q "^AutoUpdate=1" "$FILES/_sys/Pemu.ini" || fail "Pemu.ini does not keep AutoUpdate=1"
echo "e2e: newer version found, downloaded, updater started in the files folder, pemu ended, AutoUpdate kept"

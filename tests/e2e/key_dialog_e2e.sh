#!/usr/bin/env bash
# End-to-end: the key assignment dialog in the real pemu under Xvfb, worked with the keys
# alone. The digit 7 is moved to the Q key through the dialog; Q then keys 7, and "*" and
# "=" typed on a US and on a Japanese keyboard are the operators. The settings file keeps
# the new key, the calculation log the results.
# Usage: key_dialog_e2e.sh <pemu>
set -u
PEMU=$1
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_session.sh"
trap xvfb_cleanup EXIT

for tool in Xvfb xdotool xdpyinfo setxkbmap; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/bootstrap.sh installs it)"
done
xvfb_start || fail "Xvfb with openbox did not start"
pemu_environment
setxkbmap -layout us || fail "setxkbmap could not set the US layout"

"$PEMU" >"$WORK_DIR/pemu.log" 2>&1 &
PEMU_PID=$!
WIN=$(wait_for_window) || fail "no window titled Pemu appeared: $(cat "$WORK_DIR/pemu.log")"
xdotool windowfocus --sync "$WIN"

# Settings menu, "キー設定 (&K)": the dialog opens with the keyboard.
xdotool key alt+o k
DLG=$(wait_for_named_window 'キー設定') || fail "the key assignment dialog did not open"
for i in $(seq 1 100); do
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$DLG" ] && break
    sleep 0.05
done
[ "$(xdotool getwindowfocus)" = "$DLG" ] || fail "the dialog does not have the keyboard"

# GT is selected; fifteen steps right is the 7. Enter, then Q.
for i in $(seq 1 15); do xdotool key Right; done
xdotool key Return
sleep 0.3
xdotool key q
sleep 0.3
xdotool key Escape
for i in $(seq 1 100); do
    xdotool search --onlyvisible --name '^キー設定$' >/dev/null 2>&1 || break
    sleep 0.05
done
xdotool search --onlyvisible --name '^キー設定$' >/dev/null 2>&1 && fail "Esc did not close the dialog"

# US keyboard: q * 2 = (Shift+8 and the unshifted "=" key).
xdotool windowfocus --sync "$WIN"
xdotool key q asterisk 2 equal
sleep 0.2
# Japanese keyboard: 6 * 3 = is Shift+":" and Shift+"-"; ";" is + through the key table.
setxkbmap -layout jp || fail "setxkbmap could not set the Japanese layout"
sleep 0.5
xdotool key 6 asterisk 3 equal 8 semicolon 1 Return
sleep 0.2

end_with_escape "$WIN"
INI="$PEMU_DATA_ROOT/PemuFiles/_sys/Pemu.ini"
LOG="$PEMU_DATA_ROOT/PemuFiles/_sys/KenzanLog.txt"
grep -q "^7=81" "$INI" || fail "Pemu.ini does not keep the 7 on Q: $(grep -a -A40 '^\[KeySet\]' "$INI")"
for value in 14 18 9; do
    grep -aqE "(^|[^0-9])$value([^0-9]|$)" "$LOG" || fail "KenzanLog.txt lacks the result $value: $(cat -v "$LOG")"
done
grep -aqE "(^|[^0-9])72([^0-9]|$)" "$LOG" && fail "* was not taken as an operator: $(cat -v "$LOG")"
echo "e2e: 7 moved to Q in the dialog and kept; q*2= gives 14 (US), 6*3= 18 and 8;1 9 (JIS)"

#!/usr/bin/env bash
# End-to-end: the real pemu under Xvfb, clicked and typed at like a person would, its
# display compared pixel for pixel with the skin's glyphs, its files checked after Esc.
# Usage: run_e2e.sh <pemu> <folder with imgDigitalNumber.bmp and imgDigitalMark.bmp>
set -u
PEMU=$1
SKIN=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_session.sh"
trap xvfb_cleanup EXIT

for tool in Xvfb xdotool import compare xdpyinfo; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/bootstrap.sh installs it)"
done
xvfb_start || fail "Xvfb with openbox did not start"
pemu_environment

"$PEMU" >"$WORK_DIR/pemu.log" 2>&1 &
PEMU_PID=$!
WIN=$(wait_for_window) || fail "no window titled Pemu appeared: $(cat "$WORK_DIR/pemu.log")"
window_geometry "$WIN"
# The client area (272 x 400) sits below the menu bar.
CX=$X
CY=$((Y + HEIGHT - 400))
SHOT="$WORK_DIR/shot.png"

click_key() {  # face position of the key picture and its height
    xdotool mousemove $((CX + $1 + 20)) $((CY + $2 + $3 / 2)) click 1
    sleep 0.1
}

# 1 + 2 = on the key pictures.
click_key 66 312 33    # 1
click_key 210 232 73   # +
click_key 114 312 33   # 2
click_key 210 312 73   # =
wait_shows 1 3 || fail "the digit cell does not show the glyph of 3"
cell_shows 2 1 && fail "a stale digit is left of the 3"
# The = mark at place 60 of the mark strip at (13, 39), glyph at 65 of the mark strip.
same_block $((13 + 60)) 39 10 10 imgDigitalMark.bmp 65 2 || fail "the = mark is not shown"

# 4 * 5 Enter on the keyboard: the main keyboard's digits go through the key table.
xdotool windowfocus --sync "$WIN"
xdotool key 4 KP_Multiply 5 Return
wait_shows 1 0 || fail "4 * 5 Enter does not show 20 (no 0)"
cell_shows 2 2 || fail "4 * 5 Enter does not show 20 (no 2)"

end_with_escape "$WIN"

SYS="$PEMU_DATA_ROOT/PemuFiles/_sys"
INI="$SYS/Pemu.ini"
[ -f "$INI" ] || fail "no Pemu.ini in the data folder"
for key in "DentakuType=1" "PanelDigit=14" "RoundSelecter=" "KeyPanelOn=0" "Plus=187"; do
    grep -q "^$key" "$INI" || fail "Pemu.ini lacks $key"
done
LOG="$SYS/KenzanLog.txt"
[ -f "$LOG" ] || fail "no KenzanLog.txt in the data folder"
for value in 1 2 3 4 5 20; do
    grep -aqE "(^|[^0-9])$value([^0-9]|$)" "$LOG" || fail "KenzanLog.txt lacks the tape line of $value"
done
echo "e2e: 1 + 2 = shows 3 and =, 4 * 5 Enter shows 20, Esc ends, settings and tape kept"

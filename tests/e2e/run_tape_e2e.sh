#!/usr/bin/env bash
# End-to-end: the check tape window of the real pemu under Xvfb, worked with real key
# presses only. 100 + 50 = is keyed in the calculator, F1 opens "検算 :F1", the line of 50
# is chosen with the arrow keys, changed to 70 through the command panel and the input box,
# the calculation is handed to the popup viewer, and the calculation log written at the end
# must hold the recalculated tape.
# Usage: run_tape_e2e.sh <pemu>
set -u
PEMU=$1
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_session.sh"
trap xvfb_cleanup EXIT

start_pemu "$PEMU" import convert iconv
WIN=$MAIN_WINDOW
SHOT="$WORK_DIR/tape.png"

keys() {
    xdotool key --delay 60 "$@"
}

wait_title_gone() {  # regular expression
    local i
    for i in $(seq 1 50); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# Pixels of the number field's yellow in the tape window: "yes" or "no".
yellow_shown() {
    import -window "$TAPE" "$SHOT" 2>/dev/null || return 1
    if convert "$SHOT" -alpha off txt:- | grep -q '#FFFF00'; then echo yes; else echo no; fi
}

wait_yellow() {  # yes|no: the input box is open or closed
    local i
    for i in $(seq 1 60); do
        [ "$(yellow_shown)" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# 100 + 50 = in the calculator, then F1.
xdotool windowfocus --sync "$WIN"
keys 1 0 0 KP_Add 5 0 Return
keys F1
TAPE=$(wait_for_title '^検算 :F1$') || fail "F1 did not open the window titled 検算 :F1"

# The tape window takes the keyboard; the cursor follows the last line (the date line).
# Up twice reaches the 50, Enter opens the command panel with the focus on its close
# button, three Tabs reach "変更" and Space presses it.
xdotool windowfocus --sync "$TAPE"
sleep 0.3
keys Up Up Return
keys Tab Tab Tab space
wait_yellow yes || fail "the input box did not open on the line of 50"
keys 7 0 Return
wait_yellow no || fail "Enter did not apply the change"

# The corrected calculation in the popup viewer: Enter, two Tabs reach "ポップアップ".
keys Return Tab Tab space
VIEWER=$(wait_for_title '^Pemu ポップアップ: zp0_') ||
    fail "the popup viewer did not open: $(cat "$WORK_DIR/pemu.log")"
SYS="$PEMU_DATA_ROOT/PemuFiles/_sys"
FILE=$(ls "$SYS/PID/"zp0_*.txt 2>/dev/null | head -n 1)
[ -n "$FILE" ] || fail "no zp0_ file in the PID folder"
iconv -f CP932 -t UTF-8 "$FILE" | grep -qF "170 ＊" || fail "the popup file lacks 170: $(cat "$FILE")"
xdotool windowfocus --sync "$VIEWER"
keys Escape
wait_title_gone '^Pemu ポップアップ'

# Esc closes the tape window, Esc in the calculator ends the run and writes the log.
xdotool windowfocus --sync "$TAPE"
keys Escape
wait_title_gone '^検算 :F1$' || fail "Esc did not close the tape window"
end_with_escape "$WIN"

[ -z "$(ls -A "$SYS/PID" 2>/dev/null)" ] || fail "the PID folder is not emptied at the end"
LOG="$SYS/KenzanLog.txt"
[ -f "$LOG" ] || fail "no KenzanLog.txt in the data folder"
TEXT=$(iconv -f CP932 -t UTF-8 "$LOG") || fail "KenzanLog.txt is not CP932 text"
for line in "100 ＋　 　" "70 ＝　 修" "170 ＊　 　" "1st:150 ＊+  <<"; do
    grep -qF "$line" <<<"$TEXT" || fail "the log lacks the line '$line': $TEXT"
done
grep -qF "50 ＝" <<<"$TEXT" && fail "the log still holds the line of 50: $TEXT"
INI="$SYS/Pemu.ini"
grep -q "^KenzanClientHeight=660" "$INI" || fail "the tape window did not write its settings"
echo "e2e: F1 opened the check tape, 50 changed to 70 from the keyboard, the calculation shown in pemu-popup, the log holds 170"

#!/usr/bin/env bash
# End-to-end for the secondary windows: the real pemu under Xvfb, keys pressed as a user
# presses them, and what the user sees (pixels) or keeps (files) checked.
# Usage: run_windows.sh <pemu> <folder with the default skin's bitmaps> enlarged|tax|log|version
set -u
PEMU=$1
SKIN=$2
CASE=$3
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_session.sh"
trap xvfb_cleanup EXIT

for tool in Xvfb xdotool import compare convert xdpyinfo; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/bootstrap.sh installs it)"
done
xvfb_start || fail "Xvfb with openbox did not start"
pemu_environment
SYS="$PEMU_DATA_ROOT/PemuFiles/_sys"
mkdir -p "$SYS"
# Windows at remembered places that do not overlap: the calculator at (400, 300), the
# enlarged display and the log viewer at (20, 20).
printf '[StartUp]\r\nStartUpEndOn=1\r\nStartUpLeft=400\r\nStartUpTop=300\r\n[Value]\r\nBigPanelTop=20\r\nBigPanelLeft=20\r\nLogViewTop=20\r\nLogViewLeft=20\r\nLogViewHeight=500\r\n' >"$SYS/Pemu.ini"

"$PEMU" >"$WORK_DIR/pemu.log" 2>&1 &
PEMU_PID=$!
WIN=$(wait_for_window) || fail "no window titled Pemu appeared: $(cat "$WORK_DIR/pemu.log")"
window_geometry "$WIN"
CX=$X
CY=$((Y + HEIGHT - 400))  # the face (272 x 400) sits below the menu bar
SHOT="$WORK_DIR/shot.png"

wait_gone() {  # window id
    local i
    for i in $(seq 1 200); do
        xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
        xwininfo -id "$1" 2>/dev/null | grep -q "IsViewable" || return 0
        sleep 0.05
    done
    return 1
}

keys_to() {  # window, keys...
    local w=$1
    shift
    xdotool windowfocus --sync "$w"
    xdotool key --delay 40 "$@"
}

crop() {  # x y w h out
    convert "$SHOT" -crop "$3x$4+$1+$2" +repage "$5"
}

same_images() {
    [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = "0" ]
}

case "$CASE" in
enlarged)
    keys_to "$WIN" F3
    BIG=$(wait_for_title '^拡大 :F3$') || fail "F3 did not open the enlarged display"
    window_geometry "$BIG"
    BX=$X
    BY=$Y
    [ "$WIDTH x $HEIGHT" = "522 x 200" ] || fail "the enlarged display is $WIDTH x $HEIGHT"
    # Its digits (18, 84) and marks (18, 60) are the main display's, every pixel doubled.
    enlarged_follows() {
        import -window root "$SHOT"
        crop $((CX + 13)) $((CY + 51)) 245 30 "$WORK_DIR/main-digits.png"
        crop $((CX + 13)) $((CY + 39)) 245 10 "$WORK_DIR/main-marks.png"
        convert "$WORK_DIR/main-digits.png" -sample 200% "$WORK_DIR/want-digits.png"
        convert "$WORK_DIR/main-marks.png" -sample 200% "$WORK_DIR/want-marks.png"
        crop $((BX + 18)) $((BY + 84)) 490 60 "$WORK_DIR/big-digits.png"
        crop $((BX + 18)) $((BY + 60)) 490 20 "$WORK_DIR/big-marks.png"
        same_images "$WORK_DIR/big-digits.png" "$WORK_DIR/want-digits.png" &&
            same_images "$WORK_DIR/big-marks.png" "$WORK_DIR/want-marks.png"
    }
    keys_to "$WIN" 7 KP_Add 8
    wait_shows 1 8 || fail "the calculator does not show 8"
    for i in $(seq 1 40); do
        enlarged_follows && break
        sleep 0.05
    done
    enlarged_follows || fail "the enlarged display does not show the calculator's 8 and + doubled"
    echo "e2e: F3 opens 拡大 :F3, which shows the display's 8 and + at twice the size"
    ;;
tax)
    keys_to "$WIN" alt+o z
    TAX=$(wait_for_title '^税率設定$') || fail "the settings menu did not open the tax rate dialog"
    keys_to "$TAX" ctrl+a 1 0 Return
    sleep 0.2
    keys_to "$TAX" Escape
    wait_gone "$TAX" || fail "Esc did not close the tax rate dialog"
    # 100 and the tax-included key (Page Up by default).
    keys_to "$WIN" 1 0 0 Prior
    wait_shows 1 0 && cell_shows 2 1 && cell_shows 3 1 || fail "100 TAX+ does not show 110"
    end_with_escape "$WIN"
    grep -q '^Zeiritu=0.1' "$SYS/Pemu.ini" || fail "Pemu.ini lacks Zeiritu=0.1"
    grep -aq 'TAX:10 >>' "$SYS/KenzanLog.txt" || fail "the tape lacks the note TAX:10 >>"
    echo "e2e: the tax rate set to 10 in 税率設定 makes 100 TAX+ show 110, noted and kept"
    ;;
log)
    keys_to "$WIN" 1 2 3 KP_Add 4 5 6 Return
    wait_shows 1 9 || fail "123 + 456 does not show 579"
    keys_to "$WIN" F4
    LOGW=$(wait_for_title '^ログ表示 :F4$') || fail "F4 did not open the log viewer"
    # Select everything, open the popup menu with the menu key, fifth item: the popup viewer.
    keys_to "$LOGW" ctrl+a Menu
    sleep 0.3
    xdotool key --delay 60 Down Down Down Down Down Return
    VIEWER=$(wait_for_title '^Pemu ポップアップ: zp0_') ||
        fail "the popup viewer did not open: $(cat "$WORK_DIR/pemu.log")"
    FILE=$(ls "$SYS/PID/"zp0_*.txt 2>/dev/null | head -n 1)
    [ -n "$FILE" ] || fail "no zp0_ file in the PID folder"
    grep -aq '579' "$FILE" || fail "the popup file lacks the result 579"
    import -window "$VIEWER" "$WORK_DIR/viewer.png"
    keys_to "$VIEWER" Escape
    wait_gone "$VIEWER" || fail "Esc did not close the popup viewer"
    [ -f "$FILE" ] || fail "the popup viewer deleted its file"
    end_with_escape "$WIN"
    [ -z "$(ls -A "$SYS/PID" 2>/dev/null)" ] || fail "the PID folder is not emptied at the end"
    echo "e2e: F4 opens ログ表示 :F4; its selection pops up in pemu-popup from a zp0_ file"
    ;;
version)
    keys_to "$WIN" alt+h a
    VER=$(wait_for_title '^バージョン情報$') || fail "the help menu did not open the version dialog"
    window_geometry "$VER"
    [ "$WIDTH x $HEIGHT" = "293 x 201" ] || fail "the version dialog is $WIDTH x $HEIGHT"
    import -window "$VER" "$SHOT"
    # The white box at (10, 10) with its black border.
    [ "$(convert "$SHOT" -format '%[hex:p{10,40}]' info:)" = "000000" ] ||
        fail "no black border at the box's left edge"
    [ "$(convert "$SHOT" -format '%[hex:p{40,70}]' info:)" = "FFFFFF" ] || fail "the box is not white"
    keys_to "$VER" Escape
    wait_gone "$VER" || fail "Esc did not close the version dialog"
    echo "e2e: the help menu opens バージョン情報 (293 x 201, the white box), Esc closes it"
    ;;
*)
    fail "unknown case $CASE"
    ;;
esac

#!/usr/bin/env bash
# End-to-end under Wine: the Windows installer is run silently in a fresh Wine prefix, the
# installed Pemu.exe is started on Xvfb with openbox, 1 + 2 = is keyed and the display's
# digits are compared pixel for pixel with the installed skin's glyphs, F1 opens the check
# tape, a line is corrected from the keyboard, every other window is opened and closed from
# the keyboard (the log viewer's selection in pemu-popup.exe), Esc ends the run, and Pemu.ini and
# KenzanLog.txt must be in the prefix's AppData\Roaming\Pemu\PemuFiles\_sys. Then a second
# copy started while the first runs must become the child, and Esc in the first ends both.
# Usage: run_windows_e2e.sh SETUP.exe|DIST_FOLDER [SHOTS_FOLDER]
#   DIST_FOLDER: the folder scripts/windows/package.sh made, with one Pemu-*-setup.exe.
#   SHOTS_FOLDER keeps a screenshot of every window the test opened.
set -u
SETUP=${1:?usage: run_windows_e2e.sh SETUP.exe|DIST_FOLDER [SHOTS_FOLDER]}
SHOTS=${2:-}
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/../e2e/xvfb_session.sh"
if [ -d "$SETUP" ]; then
    found=("$SETUP"/Pemu-*-setup.exe)
    [ ${#found[@]} -eq 1 ] && [ -f "${found[0]}" ] || fail "not one Pemu-*-setup.exe in $SETUP"
    SETUP=${found[0]}
fi
SETUP=$(realpath "$SETUP")

CHILD_PID=""
cleanup() {
    [ -n "$CHILD_PID" ] && kill -9 "$CHILD_PID" 2>/dev/null
    # Wine's server of this prefix and whatever still runs under it.
    [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
    xvfb_cleanup
}
trap cleanup EXIT

for tool in wine wineserver Xvfb openbox xdotool xdpyinfo xwininfo import compare convert iconv; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/bootstrap.sh --windows installs it)"
done
[ -f "$SETUP" ] || fail "no installer at $SETUP"
xvfb_start || fail "Xvfb with openbox did not start"
[ -n "$SHOTS" ] && mkdir -p "$SHOTS"

export WINEPREFIX="$WORK_DIR/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine_user=${USER:-$(id -un)}
APPDATA_LOCAL="$WINEPREFIX/drive_c/users/$wine_user/AppData/Local"
APPDATA_ROAMING="$WINEPREFIX/drive_c/users/$wine_user/AppData/Roaming"
# A new prefix is made on first use; a loaded machine takes minutes for it.
timeout 600 wineboot -i >"$WORK_DIR/wineboot.log" 2>&1 || fail "wineboot failed: $(tail -5 "$WORK_DIR/wineboot.log")"
wineserver -w

# The silent install: per user, no questions.
timeout 300 wine "$SETUP" /S >"$WORK_DIR/setup.log" 2>&1 || fail "the installer failed: $(tail -5 "$WORK_DIR/setup.log")"
wineserver -w
INSTALLED="$APPDATA_LOCAL/Programs/Pemu"
for f in Pemu.exe pemu-popup.exe pemu-calc.exe Uninstall.exe platforms/qwindows.dll \
    PemuFiles/_sys/Default/imgDigitalNumber.bmp; do
    [ -f "$INSTALLED/$f" ] || fail "the installer did not put $f into $INSTALLED"
done
ls "$APPDATA_ROAMING/Microsoft/Windows/Start Menu/Programs/Pemu.lnk" >/dev/null 2>&1 ||
    fail "the installer made no Start-menu entry"
SKIN="$INSTALLED/PemuFiles/_sys/Default"
SYS="$APPDATA_ROAMING/Pemu/PemuFiles/_sys"

shot() {  # name: the whole screen, kept when SHOTS_FOLDER is given
    [ -n "$SHOTS" ] && import -window root "$SHOTS/$1.png"
}

keys() {
    xdotool key --delay 80 "$@"
}

key_into() {  # window keys...
    local window=$1
    shift
    xdotool windowactivate --sync "$window" 2>/dev/null
    xdotool windowfocus --sync "$window" 2>/dev/null
    keys "$@"
}

wait_title_gone() {  # regular expression
    local i
    for i in $(seq 1 100); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# The number field's yellow in the tape window: "yes" while the input box is open.
yellow_shown() {
    import -window "$TAPE" "$WORK_DIR/tape.png" 2>/dev/null || return 1
    if convert "$WORK_DIR/tape.png" -alpha off txt:- | grep -q '#FFFF00'; then echo yes; else echo no; fi
}

wait_yellow() {  # yes|no
    local i
    for i in $(seq 1 100); do
        [ "$(yellow_shown)" = "$1" ] && return 0
        sleep 0.2
    done
    return 1
}

start_installed() {  # log name
    (cd "$INSTALLED" && exec wine "$INSTALLED/Pemu.exe") >"$WORK_DIR/$1.log" 2>&1 &
}

# The main window is up once it is painted: Wine maps it before the first paint.
wait_painted_face() {
    local i
    for i in $(seq 1 100); do
        window_geometry "$WIN" || return 1
        CX=$X
        CY=$((Y + HEIGHT - 400))
        cell_shows 1 0 && return 0
        sleep 0.2
    done
    return 1
}

# --- first run: 1 + 2 =, the check tape, Esc --------------------------------------------
start_installed pemu
PEMU_PID=$!
# The first start of a Qt program in a new prefix also builds Wine's font list.
WIN=$(wait_for_title '^Pemu$' 3000) || fail "no window titled Pemu appeared: $(tail -20 "$WORK_DIR/pemu.log")"
SHOT="$WORK_DIR/screen.png"
wait_painted_face || fail "the face with the display's 0 was never drawn"
shot main-window

key_into "$WIN" 1 KP_Add 2 Return
wait_shows 1 3 || fail "1 + 2 = does not show the glyph of 3"
cell_shows 2 1 && fail "a stale digit is left of the 3"
# The = mark at place 60 of the mark strip at (13, 39).
same_block $((13 + 60)) 39 10 10 imgDigitalMark.bmp 65 2 || fail "the = mark is not shown"
shot main-window-3

key_into "$WIN" F1
TAPE=$(wait_for_title '^検算 :F1$' 300) || fail "F1 did not open the window titled 検算 :F1"
sleep 1
shot tape-window
# The cursor follows the last line (the date line): Up twice reaches the 2, Enter opens the
# command panel, three Tabs reach "変更" and Space opens the input box; 5 Enter changes it.
key_into "$TAPE" Up Up Return
keys Tab Tab Tab space
wait_yellow yes || fail "the input box did not open on the line of 2"
shot tape-input-box
keys 5 Return
wait_yellow no || fail "Enter did not apply the change"
shot tape-corrected
key_into "$TAPE" Escape
wait_title_gone '^検算 :F1$' || fail "Esc did not close the tape window"

# Every other window opens from the keyboard, is drawn, and Esc closes it.
visit() {  # shot name, title expression, keys that open it...
    local name=$1 title=$2 window
    shift 2
    key_into "$WIN" "$@"
    window=$(wait_for_title "$title" 300) || fail "$* did not open the window $title"
    sleep 1.5
    shot "$name"
    key_into "$window" Escape
    wait_title_gone "$title" || fail "Esc did not close the window $title"
}
visit formula-window '^数式計算 :F2$' F2
visit enlarged-display '^拡大 :F3$' F3
visit skin-chooser 'F6$' F6
visit key-assignment 'キー設定' alt+o k
visit tax-rate '^税率設定$' alt+o z
visit update-check 'バージョンアップの確認' alt+h u
visit version '^バージョン情報$' alt+h a
# The log viewer hands its selection to pemu-popup.exe beside Pemu.exe.
key_into "$WIN" F4
LOGW=$(wait_for_title '^ログ表示 :F4$' 300) || fail "F4 did not open the log viewer"
sleep 1.5
shot log-viewer
key_into "$LOGW" ctrl+a Menu
sleep 0.5
keys Down Down Down Down Down Return
VIEWER=$(wait_for_title '^Pemu ポップアップ: zp0_' 600) || fail "the popup viewer did not open"
sleep 1.5
shot popup-viewer
key_into "$VIEWER" Escape
wait_title_gone '^Pemu ポップアップ' || fail "Esc did not close the popup viewer"
key_into "$LOGW" Escape
wait_title_gone '^ログ表示 :F4$' || fail "Esc did not close the log viewer"
end_with_escape "$WIN"

INI="$SYS/Pemu.ini"
[ -f "$INI" ] || fail "no Pemu.ini in $SYS"
for key in "DentakuType=1" "PanelDigit=14" "KenzanClientHeight=660"; do
    tr -d '\r' <"$INI" | grep -q "^$key" || fail "Pemu.ini lacks $key"
done
LOG="$SYS/KenzanLog.txt"
[ -f "$LOG" ] || fail "no KenzanLog.txt in $SYS"
TEXT=$(iconv -f CP932 -t UTF-8 "$LOG") || fail "KenzanLog.txt is not CP932 text"
for line in "1 ＋　 　" "5 ＝　 修" "6 ＊　 　"; do
    grep -qF "$line" <<<"$TEXT" || fail "the log lacks the corrected line '$line': $TEXT"
done

# --- two copies: the second one becomes the child ---------------------------------------
start_installed primary
PEMU_PID=$!
WIN=$(wait_for_title '^Pemu$' 1500) || fail "the second run showed no window: $(tail -20 "$WORK_DIR/primary.log")"
start_installed child
CHILD_PID=$!
CHILD=$(wait_for_title '^Pemu \*子起動\* PID[0-9]+$' 1500) ||
    fail "the second copy did not become the child: $(tail -20 "$WORK_DIR/child.log")"
sleep 1
shot child-copy
ls "$SYS/PID/"PID*.ini >/dev/null 2>&1 || fail "the child keeps no settings copy in $SYS/PID"
# Esc in the primary ends it, and it closes the child.
end_with_escape "$WIN"
for i in $(seq 1 100); do
    kill -0 "$CHILD_PID" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$CHILD_PID" 2>/dev/null && fail "the child still runs 10 s after the primary ended"
CHILD_PID=""
[ -z "$(ls -A "$SYS/PID" 2>/dev/null)" ] || fail "the PID folder is not emptied at the end"
echo "windows e2e: silent install, 1 + 2 = shows 3 and =, the tape corrected 2 to 5, every window opened and closed from the keyboard, Pemu.ini and KenzanLog.txt kept, the second copy became the child"

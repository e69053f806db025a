#!/usr/bin/env bash
# End-to-end on a desktop with a window manager: windows stacked above the always-on-top
# calculator, the tape window back where it stood after reopening and a restart, typed "%"
# and the picture a key releases on a US and a Japanese keyboard, and paste.
# Every window and dialog stacked above it too, every window back where it stood, and
# stored places off the screen brought onto it, whole.
# Usage: desktop_e2e.sh <pemu> stacking|owned|reopen [2x]|offscreen|typed|paste
# With SHOTS set to a folder, the screenshots of each window are kept there.
set -u
PEMU=$1
CASE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_session.sh"
trap xvfb_cleanup EXIT

for tool in Xvfb xdotool xdpyinfo xprop xwininfo import compare convert setxkbmap xclip iconv; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/bootstrap.sh installs it)"
done
SHOT=""
SYS=""

run_pemu() {
    "$PEMU" >>"$WORK_DIR/pemu.log" 2>&1 &
    PEMU_PID=$!
    WIN=$(wait_for_window) || fail "no window titled Pemu appeared: $(cat "$WORK_DIR/pemu.log")"
}

desktop() {  # [settings file text]
    xvfb_start || fail "Xvfb with openbox did not start"
    pemu_environment
    SHOT="$WORK_DIR/shot.png"
    SYS="$PEMU_DATA_ROOT/PemuFiles/_sys"
    if [ -n "${1:-}" ]; then
        mkdir -p "$SYS"
        printf '%b' "$1" >"$SYS/Pemu.ini"
    fi
}

begin() {  # [settings file text]
    desktop "$@"
    run_pemu
}

keys_to() {  # window, keys...
    local w=$1
    shift
    xdotool windowfocus --sync "$w"
    xdotool key --delay 40 "$@"
}

wait_gone() {  # regular expression of a title
    local i
    for i in $(seq 1 100); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.05
    done
    return 1
}

# Position of a window in the window manager's stacking order, bottom first (-1: not there).
stack_index() {  # window
    local list i=0 id
    list=$(xprop -root _NET_CLIENT_LIST_STACKING | sed -n 's/.*# *//p' | tr -d ' ' | tr ',' ' ')
    for id in $list; do
        [ "$((id))" = "$(($1))" ] && {
            echo "$i"
            return
        }
        i=$((i + 1))
    done
    echo -1
}

# The window is stacked above the calculator and is not covered by it: its middle shows
# its own pixels on the screen.
above_calculator() {  # window, what it is
    local w=$1 i top main
    for i in $(seq 1 60); do
        top=$(stack_index "$w")
        main=$(stack_index "$WIN")
        [ "$top" -gt "$main" ] && [ "$main" -ge 0 ] && break
        sleep 0.05
    done
    [ "$top" -gt "$main" ] || fail "$2 is stacked below the calculator ($top, $main): $(xprop -root _NET_CLIENT_LIST_STACKING)"
    xprop -id "$w" WM_TRANSIENT_FOR | grep -q "window id" || fail "$2 is transient for no window"
    xprop -id "$WIN" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "the calculator is not always on top"
}

# Keeps a screenshot of the screen as it is now under SHOTS, when set.
keep_shot() {  # name
    [ -n "${SHOTS:-}" ] || return 0
    mkdir -p "$SHOTS"
    import -window root "$SHOTS/$1.png"
}

# Waits for the active window to be one not named; prints its id.
new_active() {  # windows it must not be
    local i w other mine
    for i in $(seq 1 100); do
        w=$(xprop -root _NET_ACTIVE_WINDOW | sed -n 's/.*# *//p')
        mine=1
        [ -n "$w" ] && [ "$((w))" != 0 ] || mine=0
        for other in "$@"; do
            [ "$mine" = 1 ] && [ "$((w))" = "$((other))" ] && mine=0
        done
        [ "$mine" = 1 ] && {
            echo "$w"
            return 0
        }
        sleep 0.05
    done
    return 1
}

# A window opened by keys in the calculator stands above it, is looked at, and Esc closes it.
owned_window() {  # keys, title (regular expression), what it is, screenshot name
    keys_to "$WIN" $1
    local w
    w=$(wait_for_title "$2") || fail "$1 did not open $3"
    above_calculator "$w" "$3"
    keep_shot "$4"
    keys_to "$w" Escape
    wait_gone "$2" || fail "Esc did not close $3"
}

# A dialog or message box that a key in `parent` opened stands above the calculator and
# above `parent`.
owned_dialog() {  # parent, what it is, screenshot name; DIALOG then holds its id
    DIALOG=$(new_active "$1" "$WIN") || fail "$2 did not open"
    above_calculator "$DIALOG" "$2"
    [ "$(stack_index "$DIALOG")" -gt "$(stack_index "$1")" ] || fail "$2 is below the window it came from"
    keep_shot "$3"
}

# The windows with a place of their own: key, title, the keys of its left and top.
WINDOWS=(
    "F1|^検算 :F1$|KenzanLeft|KenzanTop"
    "F2|^数式計算 :F2$|SushikiLeft|SushikiTop"
    "F3|^拡大 :F3$|BigPanelLeft|BigPanelTop"
    "F4|^ログ表示 :F4$|LogViewLeft|LogViewTop"
    "F6|^スキンの変更 :F6$|SkinChLeft|SkinChTop"
)

# Opens the window of an entry of WINDOWS from the calculator: W holds its id, KEY, TITLE,
# LEFT_KEY and TOP_KEY its entry, SIZE its client size, FX FY FW FH its frame.
open_entry() {  # entry
    IFS='|' read -r KEY TITLE LEFT_KEY TOP_KEY <<<"$1"
    keys_to "$WIN" "$KEY"
    W=$(wait_for_title "$TITLE") || fail "$KEY did not open its window"
    frame_geometry "$W"
    SIZE="${WIDTH}x$HEIGHT"
}

close_entry() {
    keys_to "$W" Escape
    wait_gone "$TITLE" || fail "Esc did not close the $KEY window"
}

# SCREEN_W and SCREEN_H: the size of the X screen.
screen_size() {
    read -r SCREEN_W SCREEN_H < <(xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[1], d[2]}')
}

case "$CASE" in
owned)
    # No printer in the test, and no update server.
    export PEMU_UPDATE_URL="http://127.0.0.1:9/AppVer.php"
    begin '[StartUp]\r\nStartUpEndOn=1\r\nStartUpLeft=100\r\nStartUpTop=100\r\n'
    keep_shot main
    owned_window F1 '^検算 :F1$' "the tape window" tape
    owned_window F2 '^数式計算 :F2$' "the formula window" formula
    owned_window F3 '^拡大 :F3$' "the enlarged display" enlarged
    owned_window F6 '^スキンの変更 :F6$' "the skin chooser" skins
    owned_window "alt+o k" '^キー設定$' "the key assignment window" keys
    owned_window "alt+h u" '^バージョンアップの確認$' "the update window" update
    # A question of the calculator itself: F8 with no window open asks before the end.
    keys_to "$WIN" F8
    owned_dialog "$WIN" "the question before the end" end-question
    xdotool key Escape
    keys_to "$WIN" 1 KP_Add 2 Return F4
    LOGW=$(wait_for_title '^ログ表示 :F4$') || fail "F4 did not open the log viewer"
    above_calculator "$LOGW" "the log viewer"
    keep_shot log
    keys_to "$LOGW" alt+f c
    owned_dialog "$LOGW" "the CSV save dialog" csv-dialog
    xdotool key Escape
    keys_to "$LOGW" alt+f p
    owned_dialog "$LOGW" "the no-printer question" no-printer
    # Yes: the same pages into a PDF file, chosen in a save dialog.
    xdotool key Return
    PDF=$(new_active "$LOGW" "$WIN" "$DIALOG") || fail "the PDF save dialog did not open"
    above_calculator "$PDF" "the PDF save dialog"
    keep_shot pdf-dialog
    xdotool key Escape
    keys_to "$LOGW" alt+f d
    owned_dialog "$LOGW" "the question before the log is deleted" delete-question
    xdotool key Escape
    keys_to "$LOGW" Escape
    wait_gone '^ログ表示 :F4$' || fail "Esc did not close the log viewer"
    end_with_escape "$WIN"
    echo "e2e: the tape, formula, enlarged display, skin chooser, key and update windows, the CSV and PDF dialogs and the questions stand above the always-on-top calculator"
    ;;
stacking)
    # The calculator where the dialogs open (10 px right and below it): they overlap it.
    begin '[StartUp]\r\nStartUpEndOn=1\r\nStartUpLeft=100\r\nStartUpTop=100\r\n'
    keys_to "$WIN" alt+o z
    TAX=$(wait_for_title '^税率設定$') || fail "the settings menu did not open the tax rate dialog"
    above_calculator "$TAX" "the tax rate dialog"
    import -window root "$SHOT"
    keys_to "$TAX" Escape
    wait_gone '^税率設定$' || fail "Esc did not close the tax rate dialog"
    keys_to "$WIN" alt+h a
    VER=$(wait_for_title '^バージョン情報$') || fail "the help menu did not open the version dialog"
    above_calculator "$VER" "the version dialog"
    keys_to "$VER" Escape
    wait_gone '^バージョン情報$' || fail "Esc did not close the version dialog"
    # Always on top off and on again: the windows opened after it still stand above.
    keys_to "$WIN" alt+v a
    keys_to "$WIN" alt+v a
    # Something to save: the log viewer saves nothing of an empty text.
    keys_to "$WIN" 1 KP_Add 2 Return F4
    LOGW=$(wait_for_title '^ログ表示 :F4$') || fail "F4 did not open the log viewer"
    above_calculator "$LOGW" "the log viewer"
    # Its save dialog stands above both.
    keys_to "$LOGW" alt+f h
    for i in $(seq 1 100); do
        SAVE=$(xprop -root _NET_ACTIVE_WINDOW | sed -n 's/.*# *//p')
        [ -n "$SAVE" ] && [ "$((SAVE))" != "$((LOGW))" ] && [ "$((SAVE))" != "$((WIN))" ] && break
        SAVE=""
        sleep 0.05
    done
    [ -n "$SAVE" ] || fail "the save dialog did not open"
    above_calculator "$SAVE" "the save dialog"
    [ "$(stack_index "$SAVE")" -gt "$(stack_index "$LOGW")" ] || fail "the save dialog is below the log viewer"
    xdotool key Escape
    keys_to "$LOGW" Escape
    wait_gone '^ログ表示 :F4$' || fail "Esc did not close the log viewer"
    end_with_escape "$WIN"
    echo "e2e: the tax rate, version, log viewer and save dialog stand above the always-on-top calculator"
    ;;
reopen)
    # Twice the scale on a screen with room for the windows: no creep there either.
    [ "${3:-}" = 2x ] && export QT_SCALE_FACTOR=2 XVFB_SCREEN=2048x1536x24
    SCALE=${QT_SCALE_FACTOR:-1}
    # Positions are kept in whole pixels of the scaled desktop: a frame edge that falls
    # between two of them comes back on one, less than a scaled pixel away.
    TOL=$((SCALE - 1))
    near() {  # "x,y" "x,y"
        local ax=${1%,*} ay=${1#*,} bx=${2%,*} by=${2#*,}
        [ $((ax - bx)) -le "$TOL" ] && [ $((bx - ax)) -le "$TOL" ] &&
            [ $((ay - by)) -le "$TOL" ] && [ $((by - ay)) -le "$TOL" ]
    }
    at_place() {  # window, "x,y": its frame there within 2 s, its client SIZE; AT holds where
        local i
        for i in $(seq 1 40); do
            frame_geometry "$1"
            AT="$FX,$FY"
            near "$AT" "$2" && [ "${WIDTH}x$HEIGHT" = "$SIZE" ] && return 0
            sleep 0.05
        done
        return 1
    }
    ini_value() {  # key
        tr -d '\r' <"$SYS/Pemu.ini" | sed -n "s/^$1=//p"
    }
    begin
    screen_size
    frame_geometry "$WIN"
    MAIN_AT="$FX,$FY"
    declare -A WANT
    for entry in "${WINDOWS[@]}"; do
        open_entry "$entry"
        key=$KEY title=$TITLE
        # Moved from the keyboard, away from where it first opens, towards the middle of
        # the screen: 10 across and 20 up or down.
        across=Left up=Up dx=-10 dy=-20
        [ $((FX + FW / 2)) -lt $((SCREEN_W / 2)) ] && across=Right dx=10
        [ $((FY + FH / 2)) -lt $((SCREEN_H / 2)) ] && up=Down dy=20
        keys_to "$W" "ctrl+$up" "ctrl+$up" "ctrl+$across"
        at_place "$W" "$((FX + dx * SCALE)),$((FY + dy * SCALE))" ||
            fail "Ctrl with the arrows did not move the $key window: it stands at $AT"
        MOVED=$AT
        HERE_NOW=""
        for round in 1 2 3 4 5; do
            close_entry
            keys_to "$WIN" "$key"
            W=$(wait_for_title "$title") || fail "$key did not open its window again"
            # The first reopening where it was left; every later one exactly there again.
            at_place "$W" "${HERE_NOW:-$MOVED}" || fail "reopened $round times the $key window stands at $AT $WIDTH x $HEIGHT, not ${HERE_NOW:-$MOVED} $SIZE"
            [ -n "$HERE_NOW" ] || HERE_NOW=$AT
            [ "$AT" = "$HERE_NOW" ] || fail "reopened $round times the $key window moved to $AT from $HERE_NOW"
        done
        keep_shot "reopened-$key"
        close_entry
        WANT[$key]=$HERE_NOW
    done
    end_with_escape "$WIN"
    # The settings are written at the end of the run.
    for entry in "${WINDOWS[@]}"; do
        IFS='|' read -r key title leftKey topKey <<<"$entry"
        STORED="$(ini_value "$leftKey"),$(ini_value "$topKey")"
        [ "$STORED" != , ] || fail "$leftKey, $topKey were not stored"
        near "$((${STORED%,*} * SCALE)),$((${STORED#*,} * SCALE))" "${WANT[$key]}" ||
            fail "$leftKey, $topKey hold $STORED, the frame stood at ${WANT[$key]}"
    done
    # Opened and closed, never resized: the log viewer keeps the client size it had.
    [ "$(ini_value LogViewWidth),$(ini_value LogViewHeight)" = "283,689" ] ||
        fail "LogViewWidth, LogViewHeight became $(ini_value LogViewWidth), $(ini_value LogViewHeight)"
    run_pemu
    frame_geometry "$WIN"
    [ "$FX,$FY" = "$MAIN_AT" ] || fail "after a restart the calculator stands at $FX,$FY, not $MAIN_AT"
    for entry in "${WINDOWS[@]}"; do
        open_entry "$entry"
        at_place "$W" "${WANT[$KEY]}" && [ "$AT" = "${WANT[$KEY]}" ] ||
            fail "after a restart the $KEY window stands at $AT, not ${WANT[$KEY]}"
        close_entry
    done
    end_with_escape "$WIN"
    [ "$(ini_value LogViewWidth),$(ini_value LogViewHeight)" = "283,689" ] ||
        fail "after a restart LogViewWidth, LogViewHeight became $(ini_value LogViewWidth), $(ini_value LogViewHeight)"
    echo "e2e: the tape, formula, enlarged display, log viewer and skin chooser reopened five times and after a restart stand where they stood${QT_SCALE_FACTOR:+ (scale $QT_SCALE_FACTOR)}"
    ;;
offscreen)
    # Places stored on another desktop: far off every edge, and a window whose bottom would
    # run off the screen. Each window opens whole on the screen, its title bar on it.
    begin '[StartUp]\r\nStartUpEndOn=1\r\nStartUpLeft=-99999\r\nStartUpTop=99999\r\n[Value]\r\nKenzanLeft=99999\r\nKenzanTop=-30\r\nSushikiLeft=-5000\r\nSushikiTop=-5000\r\nBigPanelLeft=5000\r\nBigPanelTop=300\r\nLogViewLeft=200\r\nLogViewTop=700\r\nSkinChLeft=-99999\r\nSkinChTop=-99999\r\n'
    screen_size
    whole() {  # window, what it is
        local i
        for i in $(seq 1 40); do
            frame_geometry "$1"
            [ "$FX" -ge 0 ] && [ "$FY" -ge 0 ] && [ $((FX + FW)) -le "$SCREEN_W" ] &&
                [ $((FY + FH)) -le "$SCREEN_H" ] && return 0
            sleep 0.05
        done
        fail "$2 stands at $FX,$FY ${FW}x$FH on a ${SCREEN_W}x$SCREEN_H screen"
    }
    whole "$WIN" "the calculator"
    for entry in "${WINDOWS[@]}"; do
        open_entry "$entry"
        whole "$W" "the $KEY window"
        keep_shot "offscreen-$KEY"
        close_entry
    done
    end_with_escape "$WIN"
    echo "e2e: the calculator and the F1, F2, F3, F4 and F6 windows stored off the screen open whole on it"
    ;;
typed)
    desktop
    setxkbmap -layout us || fail "setxkbmap could not set the US layout"
    run_pemu
    window_geometry "$WIN"
    CX=$X
    CY=$((Y + HEIGHT - 400))
    # The x key's picture, (162, 192) on the face.
    times_key() {
        import -window root "$SHOT"
        convert "$SHOT" -crop "40x28+$((CX + 164))+$((CY + 194))" +repage "$WORK_DIR/$1.png"
    }
    same_as() { [ "$(compare -metric AE "$WORK_DIR/$1.png" "$WORK_DIR/$2.png" null: 2>&1)" = "0" ]; }
    wait_key() {  # up|down
        local i
        for i in $(seq 1 60); do
            times_key now
            if same_as now released; then [ "$1" = up ] && return 0; else [ "$1" = down ] && return 0; fi
            sleep 0.05
        done
        return 1
    }
    times_key released
    # US: 250 * 12 % is Shift+8 and Shift+5; Shift let go before the 8.
    xdotool windowfocus --sync "$WIN"
    xdotool key --delay 40 2 5 0
    xdotool keydown shift keydown 8
    wait_key down || fail "Shift+8 does not draw the x key pressed"
    xdotool keyup shift
    xdotool keyup 8
    wait_key up || fail "the x key stays drawn pressed after Shift+8 went up"
    xdotool key --delay 40 1 2 percent
    end_with_escape "$WIN"
    # Japanese: 640 * 25 % is Shift+":" and Shift+5, in a new run on that layout.
    setxkbmap -layout jp || fail "setxkbmap could not set the Japanese layout"
    run_pemu
    keys_to "$WIN" 6 4 0 asterisk 2 5 percent
    end_with_escape "$WIN"
    TEXT=$(iconv -f CP932 -t UTF-8 "$SYS/KenzanLog.txt" | tr -d ,) || fail "no calculation log"
    for result in 30 160; do
        grep -qE "(^|[^0-9.])$result ＊" <<<"$TEXT" || fail "typed % did not give $result: $TEXT"
    done
    grep -qF "％" <<<"$TEXT" || fail "the tape holds no percent step: $TEXT"
    echo "e2e: typed % gives 250*12%=30 (US) and 640*25%=160 (JIS); Shift+8 releases the x key"
    ;;
paste)
    begin
    clip() {  # text: owned by xclip until the next one
        printf '%s' "$1" | xclip -selection clipboard
        local i
        for i in $(seq 1 40); do
            [ "$(xclip -selection clipboard -o 2>/dev/null)" = "$1" ] && return 0
            sleep 0.05
        done
        fail "the clipboard does not hold '$1'"
    }
    keys_to "$WIN" 1 0 0 KP_Add 7
    clip "１，２３４．５"
    keys_to "$WIN" ctrl+v Return
    # Refused: a decimal comma is never read as grouping; the display keeps its 1,334.5.
    clip "12,34"
    keys_to "$WIN" KP_Add shift+Insert 1 Return
    clip " -250 "
    keys_to "$WIN" KP_Add shift+Insert Return
    end_with_escape "$WIN"
    TEXT=$(iconv -f CP932 -t UTF-8 "$SYS/KenzanLog.txt" | tr -d ,) || fail "no calculation log"
    for line in "1234.5 ＝" "1334.5 ＊" "1335.5 ＊" "250 ＝" "1085.5 ＊"; do
        grep -qF "$line" <<<"$TEXT" || fail "the tape lacks '$line': $TEXT"
    done
    grep -qE "(^|[^0-9])(7|1234|12341|71234.5) ＝" <<<"$TEXT" && fail "a paste was taken wrongly: $TEXT"
    echo "e2e: Ctrl+V and Shift+Insert key 1,234.5 and -250 in from the clipboard; 12,34 is refused"
    ;;
*)
    fail "unknown case $CASE"
    ;;
esac

#!/usr/bin/env bash
# End-to-end on a desktop with a window manager: windows stacked above the always-on-top
# calculator, the tape window back where it stood after reopening and a restart, typed "%"
# and the picture a key releases on a US and a Japanese keyboard, and paste.
# Usage: desktop_e2e.sh <pemu> stacking|reopen [2x]|typed|paste
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

case "$CASE" in
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
    # Twice the scale on a screen with room for the tape window: no creep there either.
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
    tape_at() {  # the tape window's frame near "x,y" within 2 s; TAPE_AT holds where it is
        local i
        for i in $(seq 1 40); do
            frame_geometry "$TAPE"
            TAPE_AT="$FX,$FY"
            near "$TAPE_AT" "$1" && [ "${WIDTH}x$HEIGHT" = "$SIZE" ] && return 0
            sleep 0.05
        done
        return 1
    }
    begin
    frame_geometry "$WIN"
    MAIN_AT="$FX,$FY"
    keys_to "$WIN" F1
    TAPE=$(wait_for_title '^検算 :F1$') || fail "F1 did not open the tape window"
    frame_geometry "$TAPE"
    SIZE="${WIDTH}x$HEIGHT"
    # Moved from the keyboard, away from where it first opens: 10 left and 20 up.
    keys_to "$TAPE" ctrl+Up ctrl+Up ctrl+Left
    tape_at "$((FX - 10 * SCALE)),$((FY - 20 * SCALE))" ||
        fail "Ctrl with the arrows did not move the tape window: it stands at $TAPE_AT"
    MOVED=$TAPE_AT
    WANT=""
    for round in 1 2 3 4 5; do
        keys_to "$TAPE" Escape
        wait_gone '^検算 :F1$' || fail "Esc did not close the tape window"
        keys_to "$WIN" F1
        TAPE=$(wait_for_title '^検算 :F1$') || fail "F1 did not open the tape window again"
        # The first reopening where it was left; every later one exactly there again.
        tape_at "${WANT:-$MOVED}" || fail "reopened $round times the tape window stands at $TAPE_AT $WIDTH x $HEIGHT, not ${WANT:-$MOVED} $SIZE"
        [ -n "$WANT" ] || WANT=$TAPE_AT
        [ "$TAPE_AT" = "$WANT" ] || fail "reopened $round times the tape window moved to $TAPE_AT from $WANT"
    done
    keys_to "$TAPE" Escape
    wait_gone '^検算 :F1$' || fail "Esc did not close the tape window"
    end_with_escape "$WIN"
    INI=$(tr -d '\r' <"$SYS/Pemu.ini")
    STORED="$(sed -n 's/^KenzanLeft=//p' <<<"$INI"),$(sed -n 's/^KenzanTop=//p' <<<"$INI")"
    near "$((${STORED%,*} * SCALE)),$((${STORED#*,} * SCALE))" "$WANT" ||
        fail "KenzanLeft, KenzanTop hold $STORED, the frame stood at $WANT"
    run_pemu
    frame_geometry "$WIN"
    [ "$FX,$FY" = "$MAIN_AT" ] || fail "after a restart the calculator stands at $FX,$FY, not $MAIN_AT"
    keys_to "$WIN" F1
    TAPE=$(wait_for_title '^検算 :F1$') || fail "F1 did not open the tape window after a restart"
    tape_at "$WANT" && [ "$TAPE_AT" = "$WANT" ] ||
        fail "after a restart the tape window stands at $TAPE_AT $WIDTH x $HEIGHT, not $WANT $SIZE"
    import -window root "$SHOT"
    end_with_escape "$WIN"
    echo "e2e: the tape window reopened five times and after a restart stands at $WANT${QT_SCALE_FACTOR:+ (scale $QT_SCALE_FACTOR)}"
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

#!/usr/bin/env bash
# End-to-end: the formula window of the real pemu under Xvfb. F2 opens it, a formula typed
# with key presses is calculated with Ctrl+Enter, Esc closes the window and the program,
# and the formula text file holds the message, the input and the answer.
# Usage: run_formula_e2e.sh <pemu>
set -u
PEMU=$1
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_session.sh"
trap xvfb_cleanup EXIT

for tool in Xvfb xdotool import compare xdpyinfo iconv; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/bootstrap.sh installs it)"
done
xvfb_start || fail "Xvfb with openbox did not start"
pemu_environment

"$PEMU" >"$WORK_DIR/pemu.log" 2>&1 &
PEMU_PID=$!
MAIN=$(wait_for_window) || fail "no window titled Pemu appeared: $(cat "$WORK_DIR/pemu.log")"
SHOT="$WORK_DIR/shot.png"

xdotool windowfocus --sync "$MAIN"
xdotool key F2
FORMULA=""
for i in $(seq 1 100); do
    FORMULA=$(xdotool search --onlyvisible --name '^数式計算 :F2$' 2>/dev/null | head -n 1)
    [ -n "$FORMULA" ] && break
    sleep 0.05
done
[ -n "$FORMULA" ] || fail "F2 did not open a window titled 数式計算 :F2"

# A screenshot of the formula window that stays the same for 0.3 s.
steady_shot() {  # file
    local i
    import -window "$FORMULA" "$1.a.png"
    for i in $(seq 1 50); do
        sleep 0.3
        import -window "$FORMULA" "$1"
        [ "$(compare -metric AE "$1" "$1.a.png" null: 2>&1)" = "0" ] && return 0
        mv "$1" "$1.a.png"
    done
    return 1
}

xdotool windowfocus --sync "$FORMULA"
xdotool type --delay 40 '1+(2'
steady_shot "$WORK_DIR/typed.png" || fail "the window does not settle after typing"
xdotool key ctrl+Return
# The outcome is shown when the window looks different from before and stops changing.
for i in $(seq 1 50); do
    steady_shot "$SHOT" || fail "the window does not settle after Ctrl+Enter"
    [ "$(compare -metric AE "$SHOT" "$WORK_DIR/typed.png" null: 2>&1)" != "0" ] && break
done
[ "$(compare -metric AE "$SHOT" "$WORK_DIR/typed.png" null: 2>&1)" != "0" ] ||
    fail "Ctrl+Enter changed nothing in the window"

xdotool key Escape
for i in $(seq 1 100); do
    xdotool search --onlyvisible --name '^数式計算 :F2$' >/dev/null 2>&1 || break
    sleep 0.05
done
xdotool search --onlyvisible --name '^数式計算 :F2$' >/dev/null 2>&1 && fail "Esc did not close the window"

TEXT="$PEMU_DATA_ROOT/PemuFiles/_sys/SushikiText.txt"
[ -f "$TEXT" ] || fail "closing the window wrote no SushikiText.txt"
expected='[MSG]1+(2)[CLC]1+(2[ANS]3[END]'
[ "$(cat "$TEXT")" = "$expected" ] || fail "SushikiText.txt holds '$(cat "$TEXT")', not '$expected'"

end_with_escape "$MAIN"
[ "$(cat "$TEXT")" = "$expected" ] || fail "SushikiText.txt changed at exit: '$(cat "$TEXT")'"
INI="$PEMU_DATA_ROOT/PemuFiles/_sys/Pemu.ini"
for key in "SushikiKioku=1" "sKugirisuu=3" "sSeisubuMax=56" "SushikiClientWidth="; do
    grep -q "^$key" "$INI" || fail "Pemu.ini lacks $key"
done
echo "e2e: F2 opens the formula window, 1+(2 with Ctrl+Enter, Esc; SushikiText.txt and Pemu.ini kept"

#!/usr/bin/env bash
# End-to-end: three copies of the real pemu on one data folder under Xvfb with a window
# manager. 11+1= is keyed in the first (the primary), 22+2= in the second and 33+3= in the
# third (children "Pemu *子起動* PID…"); Esc in the primary ends all three, and the
# calculation log must then hold every copy's tape, each once and whole. Then a data folder
# that cannot be written: the start says so before any key, the run still calculates, and
# it ends with status 1.
# Usage: running_copies_e2e.sh <pemu>
set -u
PEMU=$1
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_session.sh"

CHILD_PIDS=()
cleanup() {
    local pid
    for pid in "${CHILD_PIDS[@]}"; do
        kill -9 "$pid" 2>/dev/null
    done
    xvfb_cleanup
}
trap cleanup EXIT

for tool in Xvfb xdotool xdpyinfo openbox import iconv; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/bootstrap.sh installs it)"
done
# The session's X server comes with openbox.
xvfb_start || fail "Xvfb with openbox did not start"
pemu_environment
SHOT="$WORK_DIR/copies.png"

# Keys into a window once the window manager has given it the focus.
key_into() {  # window keys...
    local window=$1
    shift
    xdotool windowactivate --sync "$window" 2>/dev/null
    xdotool windowfocus --sync "$window"
    xdotool key --delay 60 "$@"
}

# Waits until a process has ended; prints its exit status.
wait_end() {  # pid
    local i
    for i in $(seq 1 150); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$1" 2>/dev/null && return 1
    wait "$1"
    echo $?
}

"$PEMU" >"$WORK_DIR/pemu.log" 2>&1 &
PEMU_PID=$!
PRIMARY=$(wait_for_window) || fail "no window titled Pemu appeared: $(cat "$WORK_DIR/pemu.log")"
key_into "$PRIMARY" 1 1 KP_Add 1 Return

# Each child: its own caption with its process id, keyed once it is up.
start_child() {  # keys...
    "$PEMU" >"$WORK_DIR/child$((${#CHILD_PIDS[@]} + 1)).log" 2>&1 &
    local pid=$!
    CHILD_PIDS+=("$pid")
    local window
    window=$(wait_for_title "^Pemu .子起動. PID$pid\$" 400) ||
        fail "no window titled 'Pemu *子起動* PID$pid' appeared"
    key_into "$window" "$@"
}
start_child 2 2 KP_Add 2 Return
start_child 3 3 KP_Add 3 Return
import -window root "$SHOT"

key_into "$PRIMARY" Escape
status=$(wait_end "$PEMU_PID") || fail "the primary still runs 15 s after Esc"
PEMU_PID=""
[ "$status" = 0 ] || fail "the primary ended with status $status: $(cat "$WORK_DIR/pemu.log")"
for pid in "${CHILD_PIDS[@]}"; do
    status=$(wait_end "$pid") || fail "child $pid still runs after the primary ended"
    [ "$status" = 0 ] || fail "child $pid ended with status $status"
done
CHILD_PIDS=()

SYS="$PEMU_DATA_ROOT/PemuFiles/_sys"
TEXT=$(iconv -f CP932 -t UTF-8 "$SYS/KenzanLog.txt") || fail "KenzanLog.txt is missing or not CP932"
for result in 12 24 36; do
    count=$(grep -c "^$result ＊" <<<"$TEXT")
    [ "$count" = 1 ] || fail "the log holds the result $result $count times: $TEXT"
done
runs=$(grep -c "^On" <<<"$TEXT")
[ "$runs" = 3 ] || fail "the log holds $runs ends of a run instead of 3: $TEXT"
[ -z "$(ls -A "$SYS/PID" 2>/dev/null)" ] || fail "the PID folder is not emptied at the end"

# A data folder where nothing can be written: a plain file stands where it should be.
echo "not a folder" >"$WORK_DIR/plain"
PEMU_DATA_ROOT="$WORK_DIR/plain" "$PEMU" >"$WORK_DIR/unusable.log" 2>&1 &
PEMU_PID=$!
wait_for_window >/dev/null || fail "no window appeared on an unusable data folder"
# The warning box, captioned Pemu like the calculator, comes before any key is keyed.
for i in $(seq 1 100); do
    [ "$(xdotool search --onlyvisible --name '^Pemu$' 2>/dev/null | wc -l)" -ge 2 ] && break
    sleep 0.05
done
boxes=$(xdotool search --onlyvisible --name '^Pemu$' 2>/dev/null)
[ "$(wc -l <<<"$boxes")" -ge 2 ] || fail "no warning at the start: $(cat "$WORK_DIR/unusable.log")"
grep -q "^pemu: create $WORK_DIR/plain: Not a directory" "$WORK_DIR/unusable.log" ||
    fail "the reason is not told: $(cat "$WORK_DIR/unusable.log")"
import -window root "$WORK_DIR/unusable.png"
BOX=""
for w in $boxes; do  # the message box is the small one
    window_geometry "$w"
    [ "$HEIGHT" -lt 300 ] && BOX=$w
done
[ -n "$BOX" ] || fail "no message box among the windows titled Pemu"
key_into "$BOX" Return
MAIN=$(wait_for_window) || fail "the calculator did not stay"
key_into "$MAIN" 4 KP_Add 5 Return Escape
status=$(wait_end "$PEMU_PID") || fail "pemu still runs after Esc on an unusable data folder"
PEMU_PID=""
[ "$status" = 1 ] || fail "a run that kept nothing ended with status $status"
echo "e2e: three copies ended by Esc in the primary; the log holds 12, 24 and 36 once each; an unusable data folder is told at the start"

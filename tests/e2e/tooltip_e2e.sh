#!/usr/bin/env bash
# End-to-end: the tooltip of a key picture in the real pemu under Xvfb with openbox. The
# mouse rests on the 税込 key; a tooltip window of pemu's must appear beside it, and go when
# the mouse leaves the face. The screenshot is kept in the work folder for a look.
# Usage: tooltip_e2e.sh <pemu>
set -u
PEMU=$1
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_session.sh"
trap xvfb_cleanup EXIT

for tool in Xvfb xdotool xdpyinfo xwininfo xprop openbox import; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/bootstrap.sh installs it)"
done
# The session's X server comes with openbox.
xvfb_start || fail "Xvfb with openbox did not start"
pemu_environment
"$PEMU" >"$WORK_DIR/pemu.log" 2>&1 &
PEMU_PID=$!
WIN=$(wait_for_window) || fail "no window titled Pemu appeared: $(cat "$WORK_DIR/pemu.log")"
xdotool windowactivate --sync "$WIN" 2>/dev/null || xdotool windowfocus --sync "$WIN"

# The face is the bottom 400 rows of the client area; 税込 sits at (162, 128), 41 x 25.
eval "$(xwininfo -id "$WIN" | awk '/Absolute upper-left X/ {print "X=" $4}
    /Absolute upper-left Y/ {print "Y=" $4} /Height:/ {print "H=" $2}')"
FACE_Y=$((Y + H - 400))
KEY_X=$((X + 182))
KEY_Y=$((FACE_Y + 140))

# pemu's top-level windows other than the main window that are mapped and override
# redirect: the tooltip.
tooltip() {
    local w
    for w in $(xdotool search --onlyvisible --class pemu 2>/dev/null); do
        [ "$w" = "$WIN" ] && continue
        xwininfo -id "$w" 2>/dev/null | grep -q 'Override Redirect State: yes' || continue
        xwininfo -id "$w" | grep -q 'Map State: IsViewable' && { echo "$w"; return 0; }
    done
    return 1
}

xdotool mousemove "$((X + 5))" "$((Y - 40 > 0 ? Y - 40 : 0))"
sleep 0.2
xdotool mousemove "$KEY_X" "$KEY_Y"
sleep 0.1
xdotool mousemove "$((KEY_X + 2))" "$((KEY_Y + 1))"
TIP=""
for i in $(seq 1 100); do
    TIP=$(tooltip) && break
    sleep 0.05
done
[ -n "$TIP" ] || fail "no tooltip appeared over the 税込 key"
SHOT="$WORK_DIR/tooltip.png"
import -window root "$SHOT"
eval "$(xwininfo -id "$TIP" | awk '/Absolute upper-left X/ {print "TX=" $4}
    /Absolute upper-left Y/ {print "TY=" $4} /Width:/ {print "TW=" $2} /Height:/ {print "TH=" $2}')"
# Beside the pointer, and tall enough for its two lines (name, keyboard key).
[ $((TX - KEY_X)) -lt 60 ] && [ $((TX - KEY_X)) -gt -200 ] && [ $((TY - KEY_Y)) -lt 60 ] &&
    [ $((TY - KEY_Y)) -gt -60 ] || fail "the tooltip stands at $TX,$TY, far from the key at $KEY_X,$KEY_Y"
[ "$TH" -ge 24 ] || fail "the tooltip is $TW x $TH: not two lines"

# The mouse leaves the face: the tooltip goes.
xdotool mousemove 1000 700
for i in $(seq 1 100); do
    tooltip >/dev/null || break
    sleep 0.05
done
tooltip >/dev/null && fail "the tooltip stayed after the mouse left"

end_with_escape "$WIN"
echo "e2e: the 税込 key shows its tooltip ($TW x $TH at $TX,$TY) under a window manager"

#!/usr/bin/env bash
# Shared by the end-to-end tests and the speed script: a private X server on a free display
# number with a window manager (openbox) on it, as a user's desktop has one, a fresh data
# folder, and cleanup of everything on every way out.
# Source it, then call xvfb_start; the caller's EXIT trap must run xvfb_cleanup.

XVFB_PID=""
WM_PID=""
PEMU_PID=""
WORK_DIR=""

xvfb_cleanup() {
    if [ -n "$PEMU_PID" ] && kill -0 "$PEMU_PID" 2>/dev/null; then
        kill "$PEMU_PID" 2>/dev/null
        sleep 0.2
        kill -9 "$PEMU_PID" 2>/dev/null
    fi
    if [ -n "$WM_PID" ] && kill -0 "$WM_PID" 2>/dev/null; then
        kill "$WM_PID" 2>/dev/null
        wait "$WM_PID" 2>/dev/null
    fi
    if [ -n "$XVFB_PID" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
    if [ -n "$WORK_DIR" ] && [ -z "${KEEP_WORK_DIR:-}" ]; then rm -rf "$WORK_DIR"; fi
}

# Starts Xvfb on a display number of its own and waits until it answers. The number is drawn
# at random from a wide range instead of taking the first free one: a server of another test
# that is just ending can still remove the socket of the lowest number after a new server
# took it over. A number already in use makes the server stop at once, and another is tried.
# Without -noreset the server resets when the probe disconnects, and a program connecting
# just then is refused. Without auto-repeat (-r) a key held down while the machine is busy
# types once, as the test meant. XVFB_SCREEN sets the screen (default 1024x768x24).
xvfb_start() {
    WORK_DIR=${WORK_DIR:-$(mktemp -d "${TMPDIR:-/tmp}/pemu-e2e.XXXXXX")}
    local attempt n i
    for attempt in $(seq 1 20); do
        n=$((300 + (RANDOM * 32768 + RANDOM) % 60000))
        [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp -noreset -r >"$WORK_DIR/xvfb.log" 2>&1 &
        XVFB_PID=$!
        for i in $(seq 1 100); do
            if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
                export DISPLAY=":$n"
                wm_start
                return
            fi
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.05
        done
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=""
    done
    echo "Xvfb did not start: $(cat "$WORK_DIR/xvfb.log")" >&2
    return 1
}

# Starts openbox on the display and waits until it manages windows: it has put up its
# check window on the root window.
wm_start() {
    command -v openbox >/dev/null || {
        echo "openbox is not installed (scripts/bootstrap.sh installs it)" >&2
        return 1
    }
    # Its own configuration and cache: nothing of the user's desktop leaks in.
    XDG_CONFIG_HOME="$WORK_DIR/wm" XDG_CACHE_HOME="$WORK_DIR/wm" \
        openbox --sm-disable >"$WORK_DIR/openbox.log" 2>&1 &
    WM_PID=$!
    local i
    for i in $(seq 1 200); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        kill -0 "$WM_PID" 2>/dev/null || break
        sleep 0.05
    done
    echo "openbox did not start: $(cat "$WORK_DIR/openbox.log")" >&2
    return 1
}

# Environment of a fresh run: its own data folder and its own lock and sockets.
pemu_environment() {
    export PEMU_DATA_ROOT="$WORK_DIR/data"
    export PEMU_RUNTIME_DIR="$WORK_DIR/run"
    export XDG_RUNTIME_DIR="$WORK_DIR/run"
    mkdir -p "$PEMU_RUNTIME_DIR"
    chmod 700 "$PEMU_RUNTIME_DIR"
    export QT_QPA_PLATFORM=xcb
}

# Waits for a visible window whose title matches the regular expression while pemu runs;
# prints its id.
wait_for_title() {  # regular expression [tries, 50 ms apart; default 200]
    local i w
    for i in $(seq 1 "${2:-200}"); do
        w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        if [ -n "$w" ]; then
            echo "$w"
            return 0
        fi
        kill -0 "$PEMU_PID" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}

# Sets X, Y (the client area's top-left on the screen), WIDTH and HEIGHT of a window, as
# `xdotool getwindowgeometry --shell` would if it did not count a window manager's frame
# twice.
window_geometry() {  # window
    local info
    info=$(xwininfo -id "$1" 2>/dev/null) || return 1
    X=$(awk '/Absolute upper-left X:/ {print $NF}' <<<"$info")
    Y=$(awk '/Absolute upper-left Y:/ {print $NF}' <<<"$info")
    WIDTH=$(awk '/^ *Width:/ {print $NF}' <<<"$info")
    HEIGHT=$(awk '/^ *Height:/ {print $NF}' <<<"$info")
}

# The outer rectangle of a window, its frame included: FX FY FW FH.
frame_geometry() {  # window
    window_geometry "$1" || return 1
    local extents
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')
    local left=0 right=0 top=0 bottom=0
    [ -n "$extents" ] && IFS=, read -r left right top bottom <<<"$extents"
    FX=$((X - left))
    FY=$((Y - top))
    FW=$((WIDTH + left + right))
    FH=$((HEIGHT + top + bottom))
}

# Waits for the visible main window titled exactly "Pemu"; prints its id. A first start on a
# fresh machine builds the font cache, and a loaded machine starts slowly: it is given time.
wait_for_window() {
    wait_for_title '^Pemu$' 1000
}

# The usual start: the tools the test needs, its own X server and data folder, and pemu with
# its main window up, whose id MAIN_WINDOW then holds.
start_pemu() {  # pemu [tool...]
    local pemu=$1 tool
    shift
    for tool in Xvfb xdotool xdpyinfo "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/bootstrap.sh installs it)"
    done
    xvfb_start || fail "Xvfb with openbox did not start"
    pemu_environment
    "$pemu" >"$WORK_DIR/pemu.log" 2>&1 &
    PEMU_PID=$!
    MAIN_WINDOW=$(wait_for_window) || fail "no window titled Pemu appeared: $(cat "$WORK_DIR/pemu.log")"
}

# Pixels of the screen at a face position (the face's corner at CX, CY) against a block of
# a bitmap in the SKIN folder; the screenshot goes to SHOT.
same_block() {  # faceX faceY w h bitmap srcX srcY
    import -window root "$SHOT"
    convert "$SHOT" -crop "$3x$4+$((CX + $1))+$((CY + $2))" +repage "$WORK_DIR/seen.png"
    convert "$SKIN/$5" -crop "$3x$4+$6+$7" +repage "$WORK_DIR/want.png"
    local differing
    differing=$(compare -metric AE "$WORK_DIR/seen.png" "$WORK_DIR/want.png" null: 2>&1)
    [ "$differing" = "0" ]
}

# Digit cell d (1 = rightmost) of the panel at (13, 51) shows the digit strip's glyph.
cell_shows() {  # cell digit
    same_block $((13 + 244 - 16 * $1)) $((51 + 6)) 11 21 imgDigitalNumber.bmp $((5 + 15 * $2)) 2
}

wait_shows() {  # cell digit: repaints are asynchronous
    local i
    for i in $(seq 1 40); do
        cell_shows "$1" "$2" && return 0
        sleep 0.05
    done
    return 1
}

# Stops the test; a screenshot taken so far is kept for a look.
fail() {
    echo "FAIL: $*" >&2
    if [ -n "$XVFB_PID" ] && ! kill -0 "$XVFB_PID" 2>/dev/null; then
        echo "the X server of this test ($DISPLAY) is gone: $(tail -5 "$WORK_DIR/xvfb.log")" >&2
    fi
    if [ -n "${SHOT:-}" ] && [ -f "$SHOT" ]; then cp "$SHOT" "${TMPDIR:-/tmp}/pemu-e2e-failed.png"; fi
    exit 1
}

# Esc in the window; the program must end within 10 seconds with status 0.
end_with_escape() {  # window
    xdotool windowfocus --sync "$1"
    xdotool key Escape
    wait_for_pemu_end "Esc"
}

# Waits for a visible window whose title is exactly $1; prints its id.
wait_for_named_window() {  # title
    local i w
    for i in $(seq 1 100); do
        w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        if [ -n "$w" ]; then
            echo "$w"
            return 0
        fi
        sleep 0.05
    done
    return 1
}

# Waits up to 10 s for pemu to end; it must end with status 0.
wait_for_pemu_end() {  # what ended it, for the message
    local i
    for i in $(seq 1 100); do
        kill -0 "$PEMU_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$PEMU_PID" 2>/dev/null && fail "pemu still runs 10 s after $1"
    wait "$PEMU_PID"
    local status=$?
    PEMU_PID=""
    [ "$status" = 0 ] || fail "pemu ended with status $status: $(cat "$WORK_DIR/pemu.log")"
}

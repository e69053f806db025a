#!/usr/bin/env bash
# End-to-end: skin packages installed by the real pemu from its command line on the very
# first run (a folder, a cabinet with hostile names, a damaged cabinet), then the chooser
# opened with F6 and a package applied from the keyboard, seen in the face's pixels.
# Usage: run_skin_chooser.sh <pemu> <make-test-cabinet> <folder of the built-in skin>
set -u
PEMU=$1
MAKECAB=$2
SKIN=$3
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_session.sh"
trap xvfb_cleanup EXIT

for tool in Xvfb xdotool import convert xdpyinfo; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/bootstrap.sh installs it)"
done
xvfb_start || fail "Xvfb with openbox did not start"
pemu_environment
PKG="$WORK_DIR/pkg"
OUTSIDE="$WORK_DIR/outside"
mkdir -p "$PKG/PNL_Tester_Red" "$OUTSIDE"
# A panel of one colour the built-in skin never uses.
convert -size 272x400 "xc:rgb(200,30,30)" -type TrueColor "BMP3:$PKG/PNL_Tester_Red/imgBackPanel.bmp"
cp "$SKIN/imgButtonUp.bmp" "$PKG/up.bmp"
convert "$SKIN/NoImage.jpg" -resize 115x169! "$PKG/preview.jpg"
"$MAKECAB" "$PKG/skins.cab" "BTN_Tester_Plain\\imgButtonUp.bmp=$PKG/up.bmp" \
    "SET_Tester_Whole\\imgButtonUp.bmp=$PKG/up.bmp" "SET_Tester_Whole\\Preview.jpg=$PKG/preview.jpg" \
    "..\\..\\outside\\escaped.bmp=$PKG/up.bmp" "/$OUTSIDE/absolute.bmp=$PKG/up.bmp" \
    "C:\\drive.bmp=$PKG/up.bmp" || fail "make-test-cabinet failed"
"$MAKECAB" "$PKG/whole.cab" "DGN_Tester_Cut\\imgDigitalNumber.bmp=$PKG/up.bmp" || fail "make-test-cabinet failed"
head -c 3000 "$PKG/whole.cab" >"$PKG/cut.cab"

# Install: every message box is answered with Return, and its title kept.
SEEN="$WORK_DIR/titles"
: >"$SEEN"
"$PEMU" "$PKG/PNL_Tester_Red" "$PKG/skins.cab" "$PKG/cut.cab" >"$WORK_DIR/install.log" 2>&1 &
PEMU_PID=$!
for i in $(seq 1 300); do
    kill -0 "$PEMU_PID" 2>/dev/null || break
    for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        name=$(xdotool getwindowname "$w" 2>/dev/null)
        [ -n "$name" ] || continue
        echo "$name" >>"$SEEN"
        xdotool windowfocus --sync "$w" key Return 2>/dev/null
    done
    sleep 0.1
done
kill -0 "$PEMU_PID" 2>/dev/null && fail "pemu PATH... did not end: $(sort -u "$SEEN")"
wait "$PEMU_PID"
status=$?
PEMU_PID=""
[ "$status" = 0 ] || fail "pemu PATH... ended with status $status"
grep -q "^SetupIterateCabinet() Error :" "$SEEN" || fail "no error shown for the damaged cabinet"
grep -q "^Pemu$" "$SEEN" || fail "no message for the installed packages"
T8="$PEMU_DATA_ROOT/PemuFiles/Skin/T8"
for f in PNL_Tester_Red/imgBackPanel.bmp BTN_Tester_Plain/imgButtonUp.bmp \
    SET_Tester_Whole/imgButtonUp.bmp SET_Tester_Whole/Preview.jpg; do
    [ -f "$T8/$f" ] || fail "$f was not installed"
done
[ -e "$T8/DGN_Tester_Cut" ] && fail "the damaged cabinet left files"
[ -z "$(ls -A "$OUTSIDE")" ] || fail "the cabinet wrote outside the skin folder: $(ls "$OUTSIDE")"
[ -e "$T8/drive.bmp" ] && fail "a drive-letter name was extracted"
[ -z "$(find "$PEMU_DATA_ROOT" -name '*escaped*' -o -name 'absolute.bmp')" ] || fail "a hostile name was extracted"

# The calculator: F6 opens the chooser, Alt+K takes the custom skin, Right goes to the
# background tab, Enter applies the red panel.
"$PEMU" >"$WORK_DIR/pemu.log" 2>&1 &
PEMU_PID=$!
WIN=$(wait_for_window) || fail "no window titled Pemu appeared: $(cat "$WORK_DIR/pemu.log")"
window_geometry "$WIN"
CX=$X
CY=$((Y + HEIGHT - 400))
SHOT="$WORK_DIR/shot.png"
pixel() {  # client x y: "r,g,b" of the main window's face
    import -window root "$SHOT"
    convert "$SHOT" -format "%[fx:int(255*p{$((CX + $1)),$((CY + $2))}.r)],%[fx:int(255*p{$((CX + $1)),$((CY + $2))}.g)],%[fx:int(255*p{$((CX + $1)),$((CY + $2))}.b)]" info:
}
before=$(pixel 3 200)
[ "$before" != "200,30,30" ] || fail "the face is red before anything was applied"
xdotool windowfocus --sync "$WIN" key F6
CHOOSER=""
for i in $(seq 1 100); do
    CHOOSER=$(xdotool search --onlyvisible --name 'F6$' 2>/dev/null | head -n 1)
    [ -n "$CHOOSER" ] && break
    sleep 0.05
done
[ -n "$CHOOSER" ] || fail "F6 did not open the skin chooser"
xdotool windowfocus --sync "$CHOOSER"
xdotool key alt+k
sleep 0.3
xdotool key Right
sleep 0.3
xdotool key Return
sleep 0.3
import -window "$CHOOSER" "$WORK_DIR/chooser.png"
[ -n "${SHOT_OUT:-}" ] && cp "$WORK_DIR/chooser.png" "$SHOT_OUT"
# The chooser opens where it was left (100, 100 at first), over the face: Esc closes it.
xdotool key Escape
after=""
for i in $(seq 1 40); do
    after=$(pixel 3 200)
    [ "$after" = "200,30,30" ] && break
    sleep 0.1
done
[ "$after" = "200,30,30" ] || fail "applying PNL_Tester_Red did not change the face ($before -> $after)"
end_with_escape "$WIN"
INI="$PEMU_DATA_ROOT/PemuFiles/_sys/Pemu.ini"
grep -q "^PNL_=Red" "$INI" || fail "Pemu.ini does not record the applied panel"
grep -q "^CustumSkinType=1" "$INI" || fail "Pemu.ini does not keep the custom skin"
[ -f "$PEMU_DATA_ROOT/PemuFiles/_sys/UserCustumSkin/imgBackPanel.bmp" ] || fail "the panel is not in the user skin"
echo "e2e: packages installed safely from the command line; F6, Alt+K, Right, Enter applied a red panel"

#!/usr/bin/env bash
# The installed program: `cmake --install` into a fresh prefix puts pemu, pemu-calc, the
# popup viewer, the template, the desktop entry and the icon there, and the installed pemu,
# started on a fresh data folder, fills it from <prefix>/share/pemu/PemuFiles.
# Usage: run_installed.sh <build folder>
set -u
BUILD=$1
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_session.sh"
trap xvfb_cleanup EXIT

xvfb_start || fail "Xvfb with openbox did not start"
pemu_environment
PREFIX="$WORK_DIR/prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK_DIR/install.log" 2>&1 ||
    fail "cmake --install failed: $(tail -5 "$WORK_DIR/install.log")"
for file in bin/pemu bin/pemu-calc bin/pemu-popup share/applications/pemu.desktop \
    share/icons/hicolor/256x256/apps/pemu.png share/pemu/PemuFiles/_sys/manual/index.htm \
    share/pemu/PemuFiles/_sys/manual/logView.htm share/pemu/PemuFiles/_sys/Default/imgBackPanel.bmp; do
    [ -e "$PREFIX/$file" ] || fail "$file is not installed"
done
grep -q '^Exec=pemu$' "$PREFIX/share/applications/pemu.desktop" || fail "the desktop entry does not start pemu"

"$PREFIX/bin/pemu" >"$WORK_DIR/pemu.log" 2>&1 &
PEMU_PID=$!
WIN=$(wait_for_window) || fail "the installed pemu shows no window: $(cat "$WORK_DIR/pemu.log")"
end_with_escape "$WIN"
SYS="$PEMU_DATA_ROOT/PemuFiles/_sys"
[ -f "$SYS/manual/index.htm" ] || fail "the data folder was not filled from the installed template"
[ -f "$SYS/Pemu.ini" ] || fail "no settings were saved"
echo "installed: files in place, template found, settings saved"

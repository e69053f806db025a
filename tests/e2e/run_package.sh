#!/usr/bin/env bash
# The Debian package: cpack makes the .deb from this build, its dependencies are the ones
# dpkg-shlibdeps found, it unpacks into a scratch root with everything a desktop needs, and
# the pemu inside, started there under Xvfb on a fresh data folder, finds its template.
# Usage: run_package.sh <build folder>
set -u
BUILD=$1
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xvfb_session.sh"
trap xvfb_cleanup EXIT

for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/bootstrap.sh installs it)"
done
xvfb_start || fail "Xvfb with openbox did not start"
pemu_environment

OUT="$WORK_DIR/package"
cpack --config "$BUILD/CPackConfig.cmake" -B "$OUT" >"$WORK_DIR/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -5 "$WORK_DIR/cpack.log")"
DEB=$(ls "$OUT"/pemu_*.deb 2>/dev/null | head -n 1)
[ -n "$DEB" ] || fail "no pemu_*.deb was made: $(tail -5 "$WORK_DIR/cpack.log")"

DEPENDS=$(dpkg-deb -f "$DEB" Depends)
for lib in libqt6widgets6 libqt6gui6 libc6; do
    echo "$DEPENDS" | grep -q "$lib" || fail "Depends lacks $lib (computed: $DEPENDS)"
done
VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
[ -n "$VERSION" ] && [ "$(dpkg-deb -f "$DEB" Version)" = "$VERSION" ] ||
    fail "the package version is not the product version $VERSION"

ROOT="$WORK_DIR/root"
dpkg -x "$DEB" "$ROOT" || fail "dpkg -x failed"
for file in usr/bin/pemu usr/bin/pemu-calc usr/bin/pemu-popup usr/share/applications/pemu.desktop \
    usr/share/metainfo/org.pemu.Pemu.metainfo.xml \
    usr/share/pemu/PemuFiles/_sys/manual/index.htm \
    usr/share/pemu/PemuFiles/_sys/Default/imgBackPanel.bmp; do
    [ -e "$ROOT/$file" ] || fail "$file is not in the package"
done
for size in 16 32 48 256; do
    [ -f "$ROOT/usr/share/icons/hicolor/${size}x${size}/apps/pemu.png" ] ||
        fail "no ${size}x${size} icon"
done
python3 - "$ROOT/usr/share/metainfo/org.pemu.Pemu.metainfo.xml" <<'PY' || fail "the metainfo file is not valid"
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
assert root.tag == "component" and root.get("type") == "desktop-application"
assert root.findtext("id") and root.findtext("name") == "Pemu"
assert root.find("launchable").text == "pemu.desktop"
assert root.find("releases/release").get("version")[0].isdigit()
PY
[ "$("$ROOT/usr/bin/pemu-calc" formula '1+2')" = "3" ] || fail "the packaged pemu-calc does not calculate"

"$ROOT/usr/bin/pemu" >"$WORK_DIR/pemu.log" 2>&1 &
PEMU_PID=$!
WIN=$(wait_for_window) || fail "the packaged pemu shows no window: $(cat "$WORK_DIR/pemu.log")"
end_with_escape "$WIN"
SYS="$PEMU_DATA_ROOT/PemuFiles/_sys"
[ -f "$SYS/manual/index.htm" ] || fail "the data folder was not filled from the packaged template"
[ -f "$SYS/Default/imgBackPanel.bmp" ] || fail "the packaged default skin was not copied"
echo "package: $(basename "$DEB"), dependencies computed, installed pemu found its template"

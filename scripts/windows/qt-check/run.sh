#!/usr/bin/env bash
# Builds the check program against the dependency cache, puts its run-time files beside it
# and runs it under Wine on Xvfb with a window manager: the checks must pass, the window must
# appear (a screenshot of it is kept) and close from the keyboard (Esc).
# Usage: run.sh [BUILD_FOLDER]   (default: a new temporary folder)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
deps=$(realpath -m "${PEMU_WINDOWS_DEPS:-$HOME/.cache/pemu-windows}")
build=$(realpath -m "${1:-$(mktemp -d "${TMPDIR:-/tmp}/pemu-qt-check.XXXXXX")}")
# Wine and Xvfb start slowly on a loaded machine; this only bounds a hang.
limit=${PEMU_QT_CHECK_TIMEOUT:-600}

note() { printf '%s qt-check: %s\n' "$(date +%H:%M:%S)" "$*"; }
die() {
  printf 'qt-check: %s\n' "$*" >&2
  exit 1
}
[ -f "$deps/pemu-deps.stamp" ] || die "no dependency cache at $deps; run scripts/windows/build-deps.sh"
for tool in wine Xvfb openbox xdotool import; do
  command -v "$tool" >/dev/null || die "$tool is missing; run bash scripts/bootstrap.sh --windows"
done

mkdir -p "$build"
note "building in $build"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$deps/mingw-w64.cmake" \
  -DCMAKE_PREFIX_PATH="$deps/qt;$deps/jpeg" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_RUNTIME_OUTPUT_DIRECTORY="$build/bin" >"$build/configure.log" 2>&1 ||
  {
    tail -n 30 "$build/configure.log" >&2
    die "configure failed"
  }
cmake --build "$build" >"$build/build.log" 2>&1 || {
  tail -n 30 "$build/build.log" >&2
  die "build failed"
}
bash "$here/../deploy-qt.sh" "$build/bin" >"$build/system-dlls.txt"
note "run-time files:"
(cd "$build/bin" && find . -type f ! -name '*.exe' | sort | sed 's|^\./|  |')

pids=()
cleanup() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; fi
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$build/display" 2>"$build/xvfb.log" &
pids+=("$!")
for ((waited = 0; waited < limit * 10; waited++)); do
  [ -s "$build/display" ] && break
  kill -0 "${pids[0]}" 2>/dev/null || break
  sleep 0.1
done
[ -s "$build/display" ] || die "Xvfb did not start (log: $build/xvfb.log)"
export DISPLAY=:$(head -n 1 "$build/display")
openbox >"$build/openbox.log" 2>&1 &
pids+=("$!")

export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
note "starting qt-check.exe under Wine on $DISPLAY (a new prefix takes a while)"
report=$build/report.txt
rm -f "$report"
wine "$build/bin/qt-check.exe" --report "$(winepath -w "$report" 2>/dev/null)" \
  >"$build/wine.log" 2>&1 &
check_pid=$!
pids+=("$check_pid")

window=""
for ((waited = 0; waited < limit; waited++)); do
  window=$(xdotool search --onlyvisible --name "Qt check" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  kill -0 "$check_pid" 2>/dev/null || break
  sleep 1
done
[ -n "$window" ] || die "the window did not appear (log: $build/wine.log)"
[ -f "$report" ] || die "the window is up but no report was written"
# Shown is not yet painted: wait until two screenshots in a row agree and the window holds
# more than a handful of colours (the picture alone has eight).
previous=""
for ((waited = 0; waited < limit; waited++)); do
  import -window root "$build/shot.png"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  colours=$(convert "$build/shot.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" -format %k info:)
  sum=$(md5sum <"$build/shot.png")
  [ "$colours" -gt 16 ] && [ "$sum" == "$previous" ] && break
  previous=$sum
  sleep 1
done
note "screenshot: $build/shot.png"

xdotool windowactivate --sync "$window" key Escape
for ((waited = 0; waited < 60; waited++)); do
  kill -0 "$check_pid" 2>/dev/null || break
  sleep 1
done
kill -0 "$check_pid" 2>/dev/null && die "Esc did not close the window"
status=0
wait "$check_pid" || status=$?

cat "$report"
[ "$status" -eq 0 ] && [ "$(tail -n 1 "$report")" == passed ] || die "checks failed (exit $status)"
note "passed"

#!/usr/bin/env bash
# Builds Pemu for 64-bit Windows from this Linux machine with Debian's mingw-w64 and runs the
# tests under Wine.
#   bash scripts/build-windows.sh --engines
#       every target without Qt (the layers below the windows, pemu-calc.exe and the tests)
#       into build-windows/, then every test under Wine and pemu-calc.exe against the Linux
#       pemu-calc; exits non-zero when anything fails.
# Environment: PEMU_WINDOWS_BUILD (default build-windows), WINEPREFIX (default a private one
# inside the build folder), PEMU_JOBS (default the number of cores).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

usage() {
  echo "usage: bash scripts/build-windows.sh --engines" >&2
  echo "  --engines  build the layers below the windows, pemu-calc.exe and their tests for" >&2
  echo "             Windows into build-windows/ and run the tests under Wine" >&2
}

case ${1:-} in
  --engines) ;;
  -h | --help)
    usage
    exit 0
    ;;
  *)
    # The whole program (windows, installer) is built by scripts/windows/build-app.sh.
    if [ -f scripts/windows/build-app.sh ]; then exec bash scripts/windows/build-app.sh "$@"; fi
    usage
    exit 2
    ;;
esac

bash scripts/bootstrap.sh --windows

build=${PEMU_WINDOWS_BUILD:-build-windows}
jobs=${PEMU_JOBS:-$(nproc)}
export WINEPREFIX=${WINEPREFIX:-$root/$build/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
  export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
fi
started=$(date +%s)
note() { printf 'build-windows: %s (%ds)\n' "$*" $(($(date +%s) - started)); }

cmake -S . -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/scripts/windows/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/windows/wine-run.sh" \
  -DPEMU_BUILD_GUI=OFF -DPEMU_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs"
note "built"

# The first start of a prefix sets it up (about a minute); done once here, not inside a test
# that has a time limit.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$root/scripts/windows/wine-run.sh" wineboot --init >/dev/null 2>&1 || true
  wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
  "$wineserver" -w >/dev/null 2>&1 || true
  note "Wine prefix made"
fi

ctest --test-dir "$build" -j "$jobs" --output-on-failure
note "tests passed under Wine"

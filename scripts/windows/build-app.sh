#!/usr/bin/env bash
# The whole Windows build, which `bash scripts/build-windows.sh` with no argument runs: the
# dependency cache (Qt and libjpeg, reused when it is there), the engines and their tests
# under Wine (build-windows.sh --engines), then the build tools for this machine (the skin
# generator and the icon scaler run during the build), Pemu.exe, pemu-popup.exe and
# pemu-calc.exe cross-built with the windows against the cached Qt, with the Qt DLLs, the
# platform plugin, Qt's Japanese texts and the PemuFiles template beside them, the portable
# zip and the installer, and last the end-to-end test of the installed program under Wine.
# Usage: build-app.sh [--after-engines] [OUT]
#   --after-engines  the dependency cache and the engines are done already (scripts/test.sh)
#   OUT              default build-windows: OUT/host, OUT/app/bin, OUT/dist
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
after_engines=0
if [ "${1:-}" = --after-engines ]; then
  after_engines=1
  shift
fi
out=$(realpath -m "${1:-$root/build-windows}")
deps=$(realpath -m "${PEMU_WINDOWS_DEPS:-$HOME/.cache/pemu-windows}")
jobs=${PEMU_JOBS:-2}
note() { printf '%s build-app: %s\n' "$(date +%H:%M:%S)" "$*"; }
die() {
  printf 'build-app: %s\n' "$*" >&2
  exit 1
}

if [ "$after_engines" = 0 ]; then
  bash "$root/scripts/bootstrap.sh" --windows
  bash "$root/scripts/windows/build-deps.sh"
  bash "$root/scripts/build-windows.sh" --engines
fi
[ -f "$deps/pemu-deps.stamp" ] || die "no dependency cache at $deps; run scripts/windows/build-deps.sh"
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
  export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
fi

# Logs of a step are shown only when it fails.
run_logged() { # log command...
  local log=$1
  shift
  "$@" >"$log" 2>&1 || {
    tail -n 40 "$log" >&2
    die "failed: $* (log: $log)"
  }
}
mkdir -p "$out/logs"

note "tools for this machine in $out/host"
run_logged "$out/logs/host-configure.log" cmake -S "$root" -B "$out/host" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DPEMU_BUILD_TESTS=OFF -DPEMU_BUILD_BENCH=OFF
run_logged "$out/logs/host-build.log" cmake --build "$out/host" --parallel "$jobs" \
  --target pemu-skin-gen pemu-icon-sizes

note "the Windows programs in $out/app"
run_logged "$out/logs/app-configure.log" cmake -S "$root" -B "$out/app" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/scripts/windows/mingw-w64-app.cmake" \
  -DCMAKE_PREFIX_PATH="$deps/qt;$deps/jpeg" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DPEMU_HOST_TOOLS="$out/host/tools" -DPEMU_BUILD_GUI=ON \
  -DPEMU_BUILD_TESTS=OFF -DPEMU_BUILD_BENCH=OFF
run_logged "$out/logs/app-build.log" cmake --build "$out/app" --parallel "$jobs" \
  --target pemu pemu-popup pemu-calc pemu_skin_files pemu_template
bin=$out/app/bin
for f in Pemu.exe pemu-popup.exe pemu-calc.exe PemuFiles/_sys/Default/imgDigitalNumber.bmp; do
  [ -e "$bin/$f" ] || die "the build made no $bin/$f"
done

note "Qt beside the programs"
run_logged "$out/logs/deploy.log" bash "$root/scripts/windows/deploy-qt.sh" "$bin"

version=$(sed -n 's/^project(Pemu VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || die "no version in $root/CMakeLists.txt"
note "packages of version $version in $out/dist"
bash "$root/scripts/windows/package.sh" "$bin" "$out/dist" "$version" "$out/app/windows/pemu.ico"

note "the installed program under Wine"
bash "$root/tests/windows/run_windows_e2e.sh" "$out/dist" "$out/dist/screenshots"

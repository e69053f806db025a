#!/usr/bin/env bash
# Builds the Windows dependencies of Pemu, Qt 6 and libjpeg, for mingw-w64 from Debian's own
# source packages, into a cache that later runs reuse:
#   $PEMU_WINDOWS_DEPS (default ~/.cache/pemu-windows)
#     qt/        Qt (Core, Gui, Widgets, PrintSupport, the Windows platform plugin, image formats)
#     jpeg/      libjpeg (static, the IJG API)
#     mingw-w64.cmake   toolchain file that also finds the two above
#     pemu-deps.stamp   what was built; written last
# The cache is complete or absent: everything is installed into "$PEMU_WINDOWS_DEPS.staging"
# and moved into place at the end. Sources and build trees stay in "$PEMU_WINDOWS_DEPS.work"
# until the cache is complete, so a run that was stopped goes on where it left off.
# Qt is cross-compiled with Debian's host Qt of the same version as its host tools (moc, rcc,
# uic), so the source version is taken from the installed qt6-base-dev.
#
# Usage: build-deps.sh [--check]   (--check: also build and run scripts/windows/qt-check)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
deps=${PEMU_WINDOWS_DEPS:-$HOME/.cache/pemu-windows}
deps=$(realpath -m "$deps")
stage=$deps.staging
work=$deps.work
jobs=${PEMU_WINDOWS_JOBS:-2}

note() { printf '%s build-deps: %s\n' "$(date +%H:%M:%S)" "$*"; }
die() {
  printf 'build-deps: %s\n' "$*" >&2
  exit 1
}

run_check=0
if [[ ${1:-} == --check ]]; then run_check=1; fi

for tool in cmake ninja x86_64-w64-mingw32-g++-posix dpkg-source; do
  command -v "$tool" >/dev/null || die "$tool is missing; run bash scripts/bootstrap.sh --windows"
done
installed() { # field package
  dpkg-query -W -f="\${$1}" "$2" 2>/dev/null ||
    die "$2 is not installed; run bash scripts/bootstrap.sh --windows"
}
source_version() { installed source:Version "$1"; }
qt_version=$(source_version qt6-base-dev)
jpeg_version=$(source_version libjpeg62-turbo-dev)
compiler_version=$(installed Version g++-mingw-w64-x86-64-posix)
runtime_version=$(installed Version mingw-w64-x86-64-dev)

common_options=(
  -G Ninja
  -DCMAKE_TOOLCHAIN_FILE="$work/mingw-w64.cmake"
  -DCMAKE_BUILD_TYPE=Release
)
jpeg_options=(
  -DCMAKE_INSTALL_PREFIX="$deps/jpeg"
  -DENABLE_SHARED=OFF
  -DENABLE_STATIC=ON
  -DWITH_TURBOJPEG=OFF
  -DWITH_SIMD=OFF
)
# Only what Pemu uses. Debian's source lacks the Wintab header the tablet support of the
# Windows plugin includes, hence no tablet events. Direct2D stays on: Qt builds its DirectWrite
# font engine only with it, and the Windows print engine needs that engine. Image formats,
# zlib, PCRE2, HarfBuzz and the rest come from Qt's bundled copies: the mingw sysroot has none.
# OpenGL is switched off as configure's -no-opengl does: FEATURE_opengl=OFF alone leaves the
# run-time choice of an OpenGL library on, and the Windows plugin then does not compile.
qt_options=(
  -DCMAKE_INSTALL_PREFIX="$deps/qt"
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DFEATURE_tabletevent=OFF
  -DFEATURE_network=OFF
  -DFEATURE_sql=OFF
  -DINPUT_opengl=no
  -DFEATURE_dbus=OFF
  -DFEATURE_testlib=OFF
  -DFEATURE_xml=OFF
  -DFEATURE_concurrent=OFF
  -DFEATURE_vulkan=OFF
  -DFEATURE_icu=OFF
  -DFEATURE_system_zlib=OFF
  -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_freetype=OFF
  -DFEATURE_system_doubleconversion=OFF
)

# The stamp names everything that decides the result; a cache with another stamp is rebuilt.
recipe() {
  printf 'qt6-base %s\nlibjpeg-turbo %s\n' "$qt_version" "$jpeg_version"
  printf 'g++-mingw-w64-x86-64-posix %s\nmingw-w64-x86-64-dev %s\n' \
    "$compiler_version" "$runtime_version"
  printf 'toolchain %s\n' "$(sha256sum <"$here/mingw-w64.cmake" | cut -d' ' -f1)"
  printf 'common'
  printf ' %s' "${common_options[@]}"
  printf '\nlibjpeg'
  printf ' %s' "${jpeg_options[@]}"
  printf '\nqt'
  printf ' %s' "${qt_options[@]}"
  printf '\n'
}
stamp_text=$(recipe)

if [ -f "$deps/pemu-deps.stamp" ] && [ "$(cat "$deps/pemu-deps.stamp")" == "$stamp_text" ]; then
  note "reusing $deps (qt6-base $qt_version, libjpeg-turbo $jpeg_version)"
  if [ $run_check -eq 1 ]; then exec bash "$here/qt-check/run.sh"; fi
  exit 0
fi
if [ -e "$deps" ]; then
  note "$deps was built from another recipe; building it again"
fi

# A component is done when its marker is in the work folder; its files are then in the staging
# folder already. Under another recipe everything is configured and installed anew, but the
# build trees stay: ninja then compiles again only what the change reaches.
mkdir -p "$work/src" "$work/logs" "$stage"
if [ "$(cat "$work/recipe" 2>/dev/null)" != "$stamp_text" ]; then
  rm -rf "$stage" "$work"/*.done "$work"/build/*/CMakeCache.txt
  mkdir -p "$stage"
  printf '%s\n' "$stamp_text" >"$work/recipe"
fi
cp "$here/mingw-w64.cmake" "$work/mingw-w64.cmake"

fetch() { # package version -> prints the unpacked source folder
  local package=$1 version=$2 upstream dir
  upstream=${version#*:}
  upstream=${upstream%-*}
  dir=$work/src/$package-$upstream
  if [ ! -f "$dir/.pemu-unpacked" ]; then
    bash "$here/debian-sources.sh" --update >&2
    rm -rf "$dir"
    note "fetching the Debian source of $package $version" >&2
    (cd "$work/src" && apt-get source -q "$package=$version" >"$work/logs/fetch-$package.log" 2>&1) ||
      {
        tail -n 20 "$work/logs/fetch-$package.log" >&2
        die "apt-get source $package=$version failed (log: $work/logs/fetch-$package.log)"
      }
    touch "$dir/.pemu-unpacked"
  fi
  printf '%s\n' "$dir"
}

# Runs a build step with its output in a log, showing ninja's progress as a percentage.
step() { # name log command...
  local name=$1 log=$2
  shift 2
  note "$name (log: $log)"
  if ! "$@" 2>&1 | tee "$log" | awk -v name="$name" '
      match($0, /^\[[0-9]+\/[0-9]+\]/) {
        split(substr($0, 2, RLENGTH - 2), n, "/")
        p = int(100 * n[1] / n[2])
        if (p != last) { printf "  %s: %d%% (%d/%d)\n", name, p, n[1], n[2]; fflush(); last = p }
      }'; then
    # The first failures say more than the warnings that follow them.
    grep -E -m 20 '^FAILED:|error:|^CMake Error' "$log" >&2 || tail -n 30 "$log" >&2
    die "$name failed (log: $log)"
  fi
}

build_component() { # name source-folder options...
  local name=$1 src=$2
  shift 2
  local build=$work/build/$name start=$SECONDS
  [ -f "$work/$name.done" ] && {
    note "$name: already built"
    return
  }
  mkdir -p "$build"
  step "$name: configure" "$work/logs/$name-configure.log" \
    nice -n 19 cmake -S "$src" -B "$build" "${common_options[@]}" "$@"
  step "$name: build" "$work/logs/$name-build.log" \
    nice -n 19 cmake --build "$build" --parallel "$jobs"
  step "$name: install" "$work/logs/$name-install.log" \
    env DESTDIR="$stage" cmake --install "$build" --strip
  note "$name: done in $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s"
  touch "$work/$name.done"
}

jpeg_src=$(fetch libjpeg-turbo "$jpeg_version")
qt_src=$(fetch qt6-base "$qt_version")
build_component libjpeg "$jpeg_src" "${jpeg_options[@]}"
build_component qt "$qt_src" "${qt_options[@]}"

# DESTDIR put the files under their final path inside the staging folder.
staged=$stage$deps
[ -d "$staged/qt" ] && [ -d "$staged/jpeg" ] || die "staging folder $staged is incomplete"
cp "$here/mingw-w64.cmake" "$staged/mingw-w64.cmake"
printf '%s\n' "$stamp_text" >"$staged/pemu-deps.stamp"
rm -rf "$deps.old"
if [ -e "$deps" ]; then mv "$deps" "$deps.old"; fi
mv "$staged" "$deps"
rm -rf "$deps.old" "$stage"
note "cache complete: $deps ($(du -sh "$deps" | cut -f1)); sources and build trees took $(du -sh "$work" | cut -f1)"
if [[ ${PEMU_WINDOWS_KEEP_WORK:-0} != 1 ]]; then rm -rf "$work"; fi

if [ $run_check -eq 1 ]; then exec bash "$here/qt-check/run.sh"; fi

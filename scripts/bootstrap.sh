#!/usr/bin/env bash
# Installs every Debian package Pemu needs to build, test and run. Safe to run again.
# With --bench it also installs the calculators the benchmarks compare against; with
# --windows what the Windows build needs (the mingw-w64 cross compiler, Wine to run the
# result, the tools that unpack Debian's source packages of Qt and libjpeg, NSIS and zip
# for the Windows packages).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl1-mesa-dev libx11-dev
  libjpeg62-turbo-dev libcurl4-openssl-dev libmspack-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  xvfb xauth openbox xdotool xclip imagemagick x11-utils x11-xkb-utils poppler-utils
  bc python3 python3-mpmath dpkg-dev
)

for arg in "$@"; do
  case $arg in
    # Peers of bench/formula/compare_peers.sh, for benchmarks only.
    --bench) packages+=(qalc) ;;
    --windows)
      packages+=(
        g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
        binutils-mingw-w64-x86-64 wine wine64 openbox dpkg-dev xz-utils
        nsis zip
      )
      ;;
    *)
      echo "bootstrap: unknown option $arg (known: --bench, --windows)" >&2
      exit 2
      ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "bootstrap: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

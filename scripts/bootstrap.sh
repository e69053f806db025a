#!/usr/bin/env bash
# Installs every Debian package Pemu needs to build, test and run. Safe to run again.
# With --bench it also installs the calculators the benchmarks compare against.
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

# Peers of bench/formula/compare_peers.sh, for benchmarks only.
if [[ ${1:-} == --bench ]]; then
  packages+=(qalc)
fi

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

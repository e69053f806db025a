#!/usr/bin/env bash
# Packs a deployed Windows program folder (Pemu.exe with its DLLs, plugins, translations and
# the PemuFiles template) into DIST/Pemu-VERSION-portable.zip (unzip and run) and
# DIST/Pemu-VERSION-setup.exe (NSIS, per-user, silent with /S).
# Usage: package.sh PROGRAM_FOLDER DIST VERSION ICON   (ICON: the build's pemu.ico)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
program=$(realpath "${1:?usage: package.sh PROGRAM_FOLDER DIST VERSION}")
dist=$(realpath -m "${2:?usage: package.sh PROGRAM_FOLDER DIST VERSION}")
version=${3:?usage: package.sh PROGRAM_FOLDER DIST VERSION ICON}
icon=$(realpath "${4:?usage: package.sh PROGRAM_FOLDER DIST VERSION ICON}")
die() {
  echo "package: $*" >&2
  exit 1
}
for tool in zip makensis; do
  command -v "$tool" >/dev/null || die "$tool is missing; run bash scripts/bootstrap.sh --windows"
done
for f in Pemu.exe pemu-popup.exe pemu-calc.exe platforms/qwindows.dll PemuFiles/_sys/Default; do
  [ -e "$program/$f" ] || die "$program has no $f; build and deploy first"
done
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || die "version $version is not N.N.N"

# What is shipped: the program folder without build leftovers and without the markers that
# keep empty folders in git. Test programs stay out.
stage=$dist/stage/Pemu
rm -rf "$dist/stage"
mkdir -p "$stage"
(cd "$program" && find . -mindepth 1 -type d -print0) | (cd "$stage" && xargs -0 -r mkdir -p)
(cd "$program" && find . -type f \( -iname '*.exe' -o -iname '*.dll' -o -iname '*.qm' \
  -o -name qt.conf -o -path './PemuFiles/*' \) ! -name '.gitkeep' ! -name '*_tests.exe' ! -name 'instance-helper.exe' \
  -print0) | (cd "$program" && xargs -0 cp --parents -t "$stage")
# Folders left empty by the test programs that are not shipped go too.
find "$stage" -mindepth 1 -type d -empty ! -path "$stage/PemuFiles/*" -delete

# NSIS takes "$" as the start of a variable and '"' ends a string.
nsis_path() {
  local p=${1//\//\\}
  [[ $p == *'"'* ]] && die "a file name with a quote cannot be packed: $1"
  printf '%s' "${p//\$/\$\$}"
}
lists=$dist/stage
install_list=$lists/install-files.nsh
uninstall_list=$lists/uninstall-files.nsh
{
  while IFS= read -r -d '' d; do
    d=${d#./}
    printf 'CreateDirectory "$INSTDIR\\%s"\n' "$(nsis_path "$d")"
  done < <(cd "$stage" && find . -mindepth 1 -type d -print0 | sort -z)
  while IFS= read -r -d '' f; do
    f=${f#./}
    dir=$(dirname "$f")
    if [ "$dir" = . ]; then out='$INSTDIR'; else out="\$INSTDIR\\$(nsis_path "$dir")"; fi
    printf 'SetOutPath "%s"\nFile "%s"\n' "$out" "$(nsis_path "$stage/$f" | tr '\\' '/')"
  done < <(cd "$stage" && find . -type f -print0 | sort -z)
} >"$install_list"
{
  while IFS= read -r -d '' f; do
    printf 'Delete "$INSTDIR\\%s"\n' "$(nsis_path "${f#./}")"
  done < <(cd "$stage" && find . -type f -print0 | sort -z)
  # Deepest first; RMDir without /r keeps a folder that still holds something.
  while IFS= read -r -d '' d; do
    printf 'RMDir "$INSTDIR\\%s"\n' "$(nsis_path "${d#./}")"
  done < <(cd "$stage" && find . -mindepth 1 -depth -type d -print0)
} >"$uninstall_list"

mkdir -p "$dist"
zip_file=$dist/Pemu-$version-portable.zip
setup_file=$dist/Pemu-$version-setup.exe
# Packages of earlier versions go: the folder holds the packages of this build only.
rm -f "$dist"/Pemu-*-portable.zip "$dist"/Pemu-*-setup.exe
(cd "$dist/stage" && zip -q -r -X "$zip_file" Pemu)

IFS=. read -r major minor patch <<<"$version"
makensis -V2 -INPUTCHARSET UTF8 \
  "-DVERSION=$version" "-DVERSION_NUMBERS=$((10#$major)).$((10#$minor)).$((10#$patch)).0" \
  "-DOUTFILE=$setup_file" "-DICON=$icon" \
  "-DINSTALL_LIST=$install_list" "-DUNINSTALL_LIST=$uninstall_list" \
  "$here/installer.nsi" >"$dist/stage/makensis.log" 2>&1 || {
  tail -n 30 "$dist/stage/makensis.log" >&2
  die "makensis failed"
}
echo "package: $zip_file"
echo "package: $setup_file"

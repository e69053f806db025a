#!/usr/bin/env bash
# Puts beside Windows programs built against the dependency cache everything they need at
# run time: the Qt plugins, every DLL they (and those plugins) import that is not part of
# Windows, and Qt's Japanese texts. Fails when an imported DLL is found nowhere.
# Usage: deploy-qt.sh FOLDER   (FOLDER holds the .exe files; the files are copied there)
# Prints the DLLs it found to be part of Windows, one a line, on stdout with "system ".
set -euo pipefail

folder=${1:?usage: deploy-qt.sh FOLDER}
deps=$(realpath -m "${PEMU_WINDOWS_DEPS:-$HOME/.cache/pemu-windows}")
[ -f "$deps/pemu-deps.stamp" ] || {
  echo "deploy-qt: no dependency cache at $deps; run scripts/windows/build-deps.sh" >&2
  exit 1
}

# Where non-system DLLs come from: the cache's Qt, then the posix-thread mingw runtime.
gcc_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
search=("$deps/qt/bin" "$gcc_dir" /usr/x86_64-w64-mingw32/lib)
# What Windows itself provides; Wine's builtin DLLs stand in for the list.
wine_dlls=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
# qwindows is the platform itself; qwindowsvistastyle draws native-looking widgets (without
# it Qt falls back to its own Fusion look). BMP and PNG are built into Qt6Gui.
plugins=(platforms/qwindows.dll styles/qwindowsvistastyle.dll)

for p in "${plugins[@]}"; do
  mkdir -p "$folder/$(dirname "$p")"
  cp "$deps/qt/plugins/$p" "$folder/$p"
done
mkdir -p "$folder/translations"
cp /usr/share/qt6/translations/qtbase_ja.qm "$folder/translations/"
# Without it Qt looks for its translations where the cache was built, not beside the program.
printf '[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n' >"$folder/qt.conf"

imports() { x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ { print $3 }'; }

find_dll() { # name -> path or nothing
  local d hit
  for d in "${search[@]}"; do
    hit=$(find "$d" -maxdepth 1 -iname "$1" -print -quit 2>/dev/null)
    if [ -n "$hit" ]; then
      printf '%s\n' "$hit"
      return
    fi
  done
}

declare -A seen=()
queue=()
while IFS= read -r -d '' f; do queue+=("$f"); done < <(find "$folder" -iname '*.exe' -print0)
for p in "${plugins[@]}"; do queue+=("$folder/$p"); done
[ ${#queue[@]} -gt ${#plugins[@]} ] || {
  echo "deploy-qt: no .exe in $folder" >&2
  exit 1
}
missing=0
while [ ${#queue[@]} -gt 0 ]; do
  file=${queue[0]}
  queue=("${queue[@]:1}")
  for dll in $(imports "$file"); do
    key=${dll,,}
    [ -n "${seen[$key]:-}" ] && continue
    seen[$key]=1
    path=$(find_dll "$dll")
    if [ -n "$path" ]; then
      cp "$path" "$folder/"
      queue+=("$folder/$(basename "$path")")
    elif [ -e "$wine_dlls/$key" ] || [[ $key == api-ms-win-* || $key == ext-ms-* ]]; then
      # api-ms-win-* names are API sets the Windows loader maps to its own DLLs.
      echo "system $dll"
    else
      echo "deploy-qt: $file imports $dll, which is neither in the cache nor part of Windows" >&2
      missing=1
    fi
  done
done
exit $missing

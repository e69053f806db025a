#!/usr/bin/env bash
# Runs one Windows program under Wine, in the build's own Wine prefix unless WINEPREFIX names
# another, without Wine's debug chatter. CMake's cross build starts its tests through this.
#   wine-run.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX=${WINEPREFIX:-$(dirname "$(dirname "$here")")/build-windows/wine}
export WINEDEBUG=${WINEDEBUG:--all}
# No offer to install Mono or Gecko: no test needs them, and there is no network to fetch them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine=$(command -v wine64 || true)
if [ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ]; then wine=/usr/lib/wine/wine64; fi
if [ -z "$wine" ]; then wine=$(command -v wine || true); fi
if [ -z "$wine" ]; then
  echo "wine-run: Wine is not installed (bash scripts/bootstrap.sh --windows)" >&2
  exit 127
fi
exec "$wine" "$@"

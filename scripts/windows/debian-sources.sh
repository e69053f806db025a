#!/usr/bin/env bash
# Makes `apt-get source` work: when no source entry is configured, adds one for every
# Debian archive the binary entries already use, as a file of its own.
# Usage: debian-sources.sh [--update]   (--update also runs apt-get update when it added one)
set -euo pipefail

entry=/etc/apt/sources.list.d/pemu-deb-src.sources
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

shopt -s nullglob
one_line=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list)
deb822=(/etc/apt/sources.list.d/*.sources)
existing_one_line=()
for f in "${one_line[@]}"; do [ -f "$f" ] && existing_one_line+=("$f"); done

has_src() {
  if [ ${#existing_one_line[@]} -gt 0 ] &&
    grep -qE '^[[:space:]]*deb-src[[:space:]]' "${existing_one_line[@]}"; then
    return 0
  fi
  [ ${#deb822[@]} -gt 0 ] && grep -qiE '^Types:.*deb-src' "${deb822[@]}"
}

if has_src; then
  exit 0
fi

# Deb822 stanzas of a Debian archive, copied with Types: deb-src.
stanzas=""
if [ ${#deb822[@]} -gt 0 ]; then
  stanzas=$(awk '
    function flush() {
      if (block != "" && deb && debian) printf "%s\n", block
      block = ""; deb = 0; debian = 0
    }
    /^[[:space:]]*$/ { flush(); next }
    /^#/ { next }
    /^Types:/ { if ($0 ~ /[[:space:]]deb([[:space:]]|$)/) deb = 1; block = block "Types: deb-src\n"; next }
    /^URIs:/ { if ($0 ~ /\/debian(-security)?\/?([[:space:]]|$)/) debian = 1 }
    { block = block $0 "\n" }
    END { flush() }
  ' "${deb822[@]}")
fi
# One-line entries of a Debian archive, written as deb822 too.
if [ ${#existing_one_line[@]} -gt 0 ]; then
  while read -r kind rest; do
    opts=""
    if [[ $rest == \[* ]]; then
      opts=${rest%%]*}
      opts=${opts#[}
      rest=${rest#*] }
    fi
    read -r uri suite components <<<"$rest"
    [[ $uri =~ /debian(-security)?/?$ ]] || continue
    signed=""
    if [[ $opts =~ signed-by=([^[:space:]]+) ]]; then signed="Signed-By: ${BASH_REMATCH[1]}"$'\n'; fi
    stanzas+="Types: deb-src"$'\n'"URIs: $uri"$'\n'"Suites: $suite"$'\n'"Components: $components"$'\n'"$signed"$'\n'
  done < <(grep -hE '^[[:space:]]*deb[[:space:]]' "${existing_one_line[@]}")
fi

if [ -z "$stanzas" ]; then
  echo "debian-sources: no Debian archive among the apt sources; add a deb-src entry by hand" >&2
  exit 1
fi

echo "debian-sources: adding $entry"
printf '# Source packages for the Windows build (scripts/windows/build-deps.sh).\n\n%s\n' "$stanzas" |
  $sudo tee "$entry" >/dev/null
if [[ ${1:-} == --update ]]; then
  $sudo apt-get -o DPkg::Lock::Timeout=900 update -qq
fi

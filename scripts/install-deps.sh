#!/usr/bin/env bash
# Installs what building and running the module needs, when it is missing:
# the MinGW-w64 cross compilers for both processors, wine, Xvfb, CMake,
# GoogleTest, Python (for the layers' check) and the Japanese locale under which wine runs with code page
# 932 and can still name files outside ASCII. Wine's 32-bit half (i386) only
# on the 32-bit path (scripts/machine.sh). Quiet when nothing is missing.
# A mirror caught mid-sync can fail one list, and then the i386 and amd64
# halves of a library cannot match: when the install fails it is tried
# again from the release's main archive alone, for every architecture.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/machine.sh"
packages=(wine wine64 fonts-wine g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools xvfb xauth
          cmake googletest locales)
[ "$WENDRIK_BITS" = 32 ] && packages+=(wine32:i386)
# The layers' check is a Python script: any python3 on the path will do.
command -v python3 >/dev/null 2>&1 || packages+=(python3)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# The sources of the release's own suite (not -updates, not -security), as
# one-line entries, from the machine's sources in either format.
main_archive_sources() {
  local codename
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  [ -n "$codename" ] || return 1
  {
    [ -f /etc/apt/sources.list ] && cat /etc/apt/sources.list
    find /etc/apt/sources.list.d -name '*.list' -exec cat {} + 2>/dev/null
  } | awk -v s="$codename" '$1 == "deb" { for (i = 2; i <= NF; ++i) if ($i == s) { print; next } }'
  find /etc/apt/sources.list.d -name '*.sources' -exec cat {} + 2>/dev/null | awk -v s="$codename" '
    function flush() {
      if (types ~ /(^| )deb( |$)/ && uris != "" && (" " suites " ") ~ (" " s " ")) {
        n = split(uris, u, " ")
        for (i = 1; i <= n; ++i) print "deb" (key != "" ? " [signed-by=" key "]" : "") " " u[i] " " s " " comps
      }
      types = uris = suites = comps = key = ""
    }
    /^[ \t]*$/ { flush(); next }
    /^#/ { next }
    { v = $0; sub(/^[^:]*:[ \t]*/, "", v) }
    /^Types:/ { types = v } /^URIs:/ { uris = v } /^Suites:/ { suites = v }
    /^Components:/ { comps = v } /^Signed-By:/ { key = v }
    END { flush() }'
}

# Never removes a package to make room: a resolver that mixes suites can
# otherwise drop one half of wine to fit the other (seen here).
install() { DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-remove "$@" >/dev/null; }

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$WENDRIK_BITS" = 32 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  log=$(mktemp)
  # A list that cannot be fetched is only a warning to apt-get when the
  # network fails, an error when the file is wrong: either is said.
  $sudo apt-get update -qq >"$log" 2>&1 || true
  if grep -qE '^(E|W): (Failed to fetch|Some index files)' "$log"; then
    echo "apt-get update could not fetch every list:"
    grep -E '^(E|W): Failed to fetch' "$log" | sed 's/^/  /' | head -n 5
  fi
  if ! install "${missing[@]}" 2>"$log"; then
    echo "The install failed ($(grep -m1 '^E:' "$log" || echo "apt-get reported an error"));"
    echo "trying again from the release's main archive alone, for every architecture:"
    dir=$(mktemp -d)
    mkdir "$dir/parts"
    main_archive_sources | sort -u >"$dir/main.list" || true
    if [ ! -s "$dir/main.list" ]; then
      echo "  no main archive found among the machine's sources" >&2
      exit 1
    fi
    sed 's/^/  /' "$dir/main.list"
    only_main=(-o "Dir::Etc::SourceList=$dir/main.list" -o "Dir::Etc::SourceParts=$dir/parts")
    $sudo apt-get update -qq "${only_main[@]}"
    # Every package, installed or not, so that both halves of each library come from one suite.
    if ! install "${only_main[@]}" "${packages[@]}" 2>"$log"; then
      cat "$log" >&2
      exit 1
    fi
    echo "Installed from the main archive alone."
    rm -rf "$dir"
  fi
  rm -f "$log"
  for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || { echo "$p is still not installed" >&2; exit 1; }
  done
fi
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "Generating the ja_JP.UTF-8 locale"
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
    echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi

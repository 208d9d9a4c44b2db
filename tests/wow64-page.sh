#!/usr/bin/env bash
# The 32-bit demo host walks its whole road in the 64-bit prefix: the page
# runs under WOW64 and its export must hold the 64-bit view. Exits 77
# (skipped) with the reason where no 32-bit process can run.
#   tests/wow64-page.sh FOLDER-OF-THE-32-BIT-IMAGES
set -u
bin=$1
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${WENDRIK_BITS:-}" = 64 ]; then
  echo "skipped: the 64-bit path runs no 32-bit process (${WENDRIK_BITS_REASON:-})"
  exit 77
fi
if ! why=$("$root/scripts/runs-32bit.sh"); then
  echo "skipped: $why"
  exit 77
fi
unset WINELOADER  # the 32-bit loader, as Debian's wrapper picks it
backup="$(dirname "$WINEPREFIX")/wow64-backup"
rm -rf "$backup"
mkdir -p "$backup"
log=$(wine "$bin/DemoHost.exe" /script "$(wine winepath -w "$backup" 2>/dev/null)" 2>/dev/null)
wineserver -w
echo "$log"
grep -q "^export done" <<<"$log" || { echo "FAILED: the 32-bit demo did not complete"; exit 1; }
file=$(find "$backup" -name '*.reg' | head -n 1)
[ -n "$file" ] || { echo "FAILED: no export file under $backup"; exit 1; }
if ! iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' | grep -qix '\[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\]'; then
  echo "FAILED: $file lacks HKEY_LOCAL_MACHINE\\Software\\Wow6432Node: the 32-bit editor's view"
  exit 1
fi
echo "ok: $file holds the 64-bit view"

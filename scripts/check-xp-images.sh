#!/usr/bin/env bash
# Checks that the shipped images can load on Windows XP SP3: every import is
# on the committed list of functions known to exist there, the subsystem is
# the Windows GUI at version 5.01, and the loader's DYNAMIC_BASE and
# NX_COMPAT protections are switched on.
#   scripts/check-xp-images.sh [image folder]   (default: build/bin)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$root/build/bin}
allowed="$root/.ci/xp-imports.txt"
objdump=i686-w64-mingw32-objdump
status=0
for image in Wendrik.dll Vellumor.dll DemoHost.exe; do
  file="$bin/$image"
  if [ ! -f "$file" ]; then echo "FAIL $image: missing"; status=1; continue; fi
  headers=$($objdump -p "$file")
  for want in "MajorSubsystemVersion	5" "MinorSubsystemVersion	1" "(Windows GUI)" "DYNAMIC_BASE" "NX_COMPAT"; do
    if ! grep -qF "$want" <<<"$headers"; then echo "FAIL $image: no $want"; status=1; fi
  done
  # "dll name" for imports by name, "dll #ordinal" for imports by ordinal.
  imports=$(awk '
    /DLL Name:/ { dll = tolower($3); next }
    /^\tvma:/ { next }
    dll != "" && /^\t[0-9a-f]+\t/ {
      if (NF >= 3) print dll, $3; else if (NF == 2) print dll, "#" $2
    }
    /^$/ { dll = "" }' <<<"$headers" | sort -u)
  unknown=$(comm -23 <(echo "$imports") <(grep -v '^#' "$allowed" | sort -u))
  if [ -n "$unknown" ]; then
    echo "FAIL $image imports what the XP list does not hold:"
    sed 's/^/  /' <<<"$unknown"
    status=1
  else
    echo "ok   $image: $(wc -l <<<"$imports") imports, all on the XP list; GUI 5.01, DYNAMIC_BASE, NX_COMPAT"
  fi
done
exit $status

#!/usr/bin/env bash
# Checks that the shipped images can load on the oldest Windows they serve:
# the 32-bit ones on Windows XP SP3 (subsystem 5.01), the 64-bit ones on the
# first x64 editions, XP x64 and Server 2003 x64 (5.02), whose system DLLs
# hold every function XP SP3's do. Every import must be on the committed
# list of functions known to exist there (.ci/xp-imports.txt, and for 64
# bits .ci/xp64-imports.txt too), and the loader's DYNAMIC_BASE and
# NX_COMPAT protections must be switched on. Reads the files only.
#   scripts/check-xp-images.sh [image folder...]   (default: build/bin)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -gt 0 ] || set -- "$root/build/bin"
status=0
for bin in "$@"; do
  for image in Wendrik.dll Vellumor.dll DemoHost.exe; do
    file="$bin/$image"
    if [ ! -f "$file" ]; then echo "FAIL $file: missing"; status=1; continue; fi
    case $(x86_64-w64-mingw32-objdump -f "$file") in
      *pei-x86-64*) objdump=x86_64-w64-mingw32-objdump bits=64 minor=2
                    lists=("$root/.ci/xp-imports.txt" "$root/.ci/xp64-imports.txt") ;;
      *pei-i386*) objdump=i686-w64-mingw32-objdump bits=32 minor=1 lists=("$root/.ci/xp-imports.txt") ;;
      *) echo "FAIL $file: not a Windows image"; status=1; continue ;;
    esac
    headers=$($objdump -p "$file")
    for want in "MajorSubsystemVersion	5" "MinorSubsystemVersion	$minor" "(Windows GUI)" "DYNAMIC_BASE" "NX_COMPAT"; do
      if ! grep -qF "$want" <<<"$headers"; then echo "FAIL $bits-bit $image: no $want"; status=1; fi
    done
    # "dll name" for imports by name, "dll #ordinal" for imports by ordinal.
    imports=$(awk '
      /DLL Name:/ { dll = tolower($3); next }
      /^\tvma:/ { next }
      dll != "" && /^\t[0-9a-f]+\t/ {
        if (NF >= 3) print dll, $3; else if (NF == 2) print dll, "#" $2
      }
      /^$/ { dll = "" }' <<<"$headers" | sort -u)
    unknown=$(comm -23 <(echo "$imports") <(cat "${lists[@]}" | grep -v '^#' | sort -u))
    if [ -n "$unknown" ]; then
      echo "FAIL $bits-bit $image imports what the XP list does not hold:"
      sed 's/^/  /' <<<"$unknown"
      status=1
    else
      echo "ok   $bits-bit $image: $(wc -l <<<"$imports") imports, all on the XP list; GUI 5.0$minor, DYNAMIC_BASE, NX_COMPAT"
    fi
  done
done
exit $status

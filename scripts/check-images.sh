#!/usr/bin/env bash
# Checks that the shipped images can load on the oldest Windows they serve,
# reading the files only:
#   32-bit: Windows 95 (with Internet Explorer 4's C runtime and common
#           controls) and NT 4.0. Header versions 4.00, and every import on
#           both committed lists (.ci/imports-95.txt, .ci/imports-nt4.txt)
#           as present in 95 and in NT 4.0.
#   64-bit: the first x64 editions, XP x64 and Server 2003 x64 (5.02), whose
#           DLLs hold every function XP SP3's do: every import on
#           .ci/xp-imports.txt or .ci/xp64-imports.txt.
# Both: the loader's DYNAMIC_BASE and NX_COMPAT protections switched on
# (older systems pass over the flags).
#   scripts/check-images.sh [image folder...]   (default: build/bin)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -gt 0 ] || set -- "$root/build/bin"
status=0
# "dll function" of the list's entries whose version is `floor`.
on_floor() { awk -v floor="$2" '!/^#/ && NF == 3 && $3 == floor { print $1, $2 }' "$1" | sort -u; }
# The version a list gives a function, or "not listed".
version_of() {
  awk -v d="$2" -v n="$3" '$1 == d && $2 == n { found = $3 } END { print found ? found : "not listed" }' "$1"
}
for bin in "$@"; do
  for image in Wendrik.dll Vellumor.dll DemoHost.exe; do
    file="$bin/$image"
    if [ ! -f "$file" ]; then echo "FAIL $file: missing"; status=1; continue; fi
    case $(x86_64-w64-mingw32-objdump -f "$file") in
      *pei-x86-64*) objdump=x86_64-w64-mingw32-objdump bits=64 major=5 minor=2 ;;
      *pei-i386*) objdump=i686-w64-mingw32-objdump bits=32 major=4 minor=0 ;;
      *) echo "FAIL $file: not a Windows image"; status=1; continue ;;
    esac
    headers=$($objdump -p "$file")
    for field in MajorSubsystemVersion MajorOSystemVersion; do
      got=$(awk -v f="$field" '$1 == f { print $2 }' <<<"$headers")
      [ "$got" = "$major" ] || { echo "FAIL $bits-bit $image: $field $got, not $major"; status=1; }
    done
    for field in MinorSubsystemVersion MinorOSystemVersion; do
      got=$(awk -v f="$field" '$1 == f { print $2 }' <<<"$headers")
      [ "$got" = "$minor" ] || { echo "FAIL $bits-bit $image: $field $got, not $minor"; status=1; }
    done
    # A table of safe exception handlers would leave the thread guard's
    # handler uncalled (platform/system/ThreadExceptionGuard.cpp): none may
    # appear in a 32-bit image until the handler is listed in it.
    if [ $bits = 32 ] && ! grep -qE "^Entry a 00000000 00000000" <<<"$headers"; then
      echo "FAIL 32-bit $image: it has a load configuration (a SafeSEH table?); list the thread guard's handler there"
      status=1
    fi
    for want in "(Windows GUI)" "DYNAMIC_BASE" "NX_COMPAT"; do
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
    if [ $bits = 64 ]; then
      floors="XP x64"
      unknown=$(comm -23 <(echo "$imports") <(cat "$root/.ci/xp-imports.txt" "$root/.ci/xp64-imports.txt" |
                                              grep -v '^#' | sort -u))
    else
      floors="Windows 95 and NT 4.0"
      unknown=$(comm -23 <(echo "$imports") <(comm -12 <(on_floor "$root/.ci/imports-95.txt" 95) \
                                                        <(on_floor "$root/.ci/imports-nt4.txt" nt4)))
    fi
    if [ -n "$unknown" ]; then
      echo "FAIL $bits-bit $image imports what $floors do not both have:"
      while read -r dll name; do
        since=""
        if [ $bits = 32 ]; then
          since=" (first in 9x: $(version_of "$root/.ci/imports-95.txt" "$dll" "$name"), in NT: $(version_of "$root/.ci/imports-nt4.txt" "$dll" "$name"))"
        fi
        echo "  $dll $name$since"
      done <<<"$unknown"
      status=1
    else
      echo "ok   $bits-bit $image: $(wc -l <<<"$imports") imports, all in $floors; GUI $major.0$minor, DYNAMIC_BASE, NX_COMPAT"
    fi
  done
done
exit $status

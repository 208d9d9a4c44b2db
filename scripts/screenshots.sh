#!/usr/bin/env bash
# Makes the README's pictures anew under docs/: the demo walks its road on
# a backup folder such as a user keeps (C:\Sicherung with a few older
# backups and a note, on a drive labelled "System"), with the page in
# German, in English, at 120 and at 144 dpi, and saves the page, the
# select-directory dialog, the question before the new folder is made and
# the box that says where the export went, as they stand on a wine desktop
# in Xvfb.
# The 32-bit images where the machine runs 32-bit programs, the 64-bit ones
# where it does not (scripts/machine.sh): they look the same.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/machine.sh"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$WENDRIK_BITS" shipped_images

. "$root/scripts/prefix.sh"
export WINEPREFIX="$root/build/shots-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
prepare_prefix "$DEMO_WINE"
printf 'System\n' > "$WINEPREFIX/drive_c/.windows-label"
docs="$root/docs"
mkdir -p "$docs"
backup="$WINEPREFIX/drive_c/Sicherung"

# run NAME DPI [host options...]
run() {
  local name=$1 dpi=$2
  shift 2
  wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -w
  rm -rf "$backup"
  mkdir -p "$backup/2025" "$backup/2026" "$backup/Alt"
  for f in 2026115.reg 20261122.reg Notizen.txt; do printf 'x\r\n' > "$backup/$f"; done
  wineserver -k 2>/dev/null || true
  xvfb-run -a -s "-screen 0 1024x768x24" "$DEMO_WINE" explorer /desktop=Wendrik,800x600 "$BUILD/bin/DemoHost.exe" \
    /script 'C:\Sicherung' /typed=Registry "/shot=$(wine_run winepath -w "$docs/page-$name.png")" \
    "/dialogshot=$(wine_run winepath -w "$docs/dialog-$name.png")" "$@" >"$root/build/shots-$name.log" 2>/dev/null
  wineserver -w
  grep -q "^export done" "$root/build/shots-$name.log" || { echo "the $name run failed" >&2; exit 1; }
  echo "docs/page-$name.png docs/dialog-$name.png"
}

run de 96 "/questionshot=$(wine_run winepath -w "$docs/question-de.png")" "/doneshot=$(wine_run winepath -w "$docs/done-de.png")"
run en 96 /lang=1
run 120dpi 120
run 144dpi 144
wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
wineserver -w

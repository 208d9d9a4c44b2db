#!/usr/bin/env bash
# The main job: the demo host loads Wendrik.dll, shows the page, sets a
# backup folder, makes a new folder under it through the browse button's
# dialog, ticks the check box and applies; the system's registry
# editor writes the dated export file. Prints where it went and saves a
# screenshot of the page. Visible when $DISPLAY is set, else in Xvfb.
# The 32-bit host and module where the machine runs 32-bit programs, the
# 64-bit ones where it does not (scripts/machine.sh), in a 64-bit prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/machine.sh"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$WENDRIK_BITS" shipped_images

. "$root/scripts/prefix.sh"
export WINEPREFIX="$root/build/demo-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
prepare_prefix "$DEMO_WINE"
backup="$root/build/demo-backup"
shot="$root/build/demo-page.png"
# Empty, so that the folder the demo types in the dialog is new and asked for.
rm -rf "$backup" "$shot"
mkdir -p "$backup"
run=("$DEMO_WINE" explorer /desktop=Wendrik,800x600 "$BUILD/bin/DemoHost.exe"
     /script "$(wine_run winepath -w "$backup")" "/shot=$(wine_run winepath -w "$shot")" "$@")
log="$root/build/demo.log"
if [ -n "${DISPLAY:-}" ]; then
  "${run[@]}" | tee "$log"
else
  wineserver -k 2>/dev/null || true
  xvfb-run -a -s "-screen 0 1024x768x24" "${run[@]}" 2>/dev/null | tee "$log"
fi
wineserver -w
if ! grep -q "^export done" "$log" || grep -q "^FAILED" "$log"; then
  echo "The demo did not complete." >&2
  exit 1
fi
echo "Export folder: $backup ($WENDRIK_BITS-bit host and module)"
ls -lR "$backup"
echo "Screenshot: $shot"

#!/usr/bin/env bash
# Makes the throwaway wine prefix the tests run in: created once, then the
# settings every run expects. WINEPREFIX is set by the caller; WINE names
# the loader to run wine's own programs with (wine's 64-bit loader where
# the machine runs no 32-bit programs).
set -eu
: "${WINEPREFIX:?}"
WINE=${WINE:-wine}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A wineserver from another X display would make every new window fail.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
. "$(dirname "$0")/../scripts/prefix.sh"
prepare_prefix "$WINE"
"$WINE" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
"$WINE" reg delete 'HKCU\SOFTWARE\Morvane' /f >/dev/null 2>&1 || true
# Drives the path tests read: M: labelled "System", N: without a label,
# and the network share \\srv\share with a folder x.
drives="$(dirname "$WINEPREFIX")/test-drives"
mkdir -p "$drives/m" "$drives/n" "$drives/share/x" "$WINEPREFIX/dosdevices/unc/srv"
printf 'System\n' > "$drives/m/.windows-label"
rm -f "$drives/n/.windows-label"
ln -sfn "$drives/m" "$WINEPREFIX/dosdevices/m:"
ln -sfn "$drives/n" "$WINEPREFIX/dosdevices/n:"
ln -sfn "$drives/share" "$WINEPREFIX/dosdevices/unc/srv/share"
wineserver -w

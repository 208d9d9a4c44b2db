# Sourced by the other scripts: which images run on this machine, decided
# before anything is installed, and said once as the first line.
#   WENDRIK_BITS=32  the 32-bit path: the 32-bit demo; the 32- and 64-bit suites
#   WENDRIK_BITS=64  the 64-bit path: everything runs 64-bit under wine's
#                    64-bit loader, nothing for i386 is installed
# Set WENDRIK_BITS to force either; otherwise the machine decides: the 32-bit
# path where a 32-bit program starts. Also sets WINE64 (wine's 64-bit loader,
# called directly: Debian's wrappers take the 32-bit one whenever it is
# installed) and, for the chosen path, BUILD (the build tree whose images the
# demo runs), DEMO_WINE (the loader for them) and wine_run (runs a wine
# program with that loader).
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
if [ -z "${WENDRIK_BITS_REASON:-}" ]; then
  case ${WENDRIK_BITS:-} in
    32 | 64) WENDRIK_BITS_REASON="forced by WENDRIK_BITS=$WENDRIK_BITS" ;;
    "")
      if why=$("$root/scripts/runs-32bit.sh"); then
        WENDRIK_BITS=32 WENDRIK_BITS_REASON="this machine runs 32-bit programs"
      else
        WENDRIK_BITS=64 WENDRIK_BITS_REASON=$why
      fi ;;
    *) echo "WENDRIK_BITS must be 32 or 64, not '$WENDRIK_BITS'" >&2; exit 2 ;;
  esac
  export WENDRIK_BITS WENDRIK_BITS_REASON
  if [ "$WENDRIK_BITS" = 32 ]; then
    echo "Wendrik: the 32-bit path (32-bit demo; 32- and 64-bit suites): $WENDRIK_BITS_REASON"
  else
    echo "Wendrik: the 64-bit path (64-bit demo and suite; the 32-bit images are built and their imports checked): $WENDRIK_BITS_REASON"
  fi
fi
WINE64=/usr/lib/wine/wine64
if [ "$WENDRIK_BITS" = 32 ]; then
  BUILD=$root/build DEMO_WINE=wine
else
  BUILD=$root/build/x64 DEMO_WINE=$WINE64
  export WINELOADER=$WINE64
fi
wine_run() { "$DEMO_WINE" "$@"; }

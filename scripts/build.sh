#!/usr/bin/env bash
# Configures and builds one tree, with the given targets (all when none are
# given):
#   scripts/build.sh 32 [targets...]   build/      the 32-bit tree
#   scripts/build.sh 64 [targets...]   build/x64/  the 64-bit tree (it also builds the 32-bit shipped images)
# The 64-bit tree's test of the 32-bit page under WOW64 is switched off
# (listed as not run, never counted) on the 64-bit path (scripts/machine.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/machine.sh"
case ${1:-} in
  32) tree=$root/build toolchain=mingw-i686 ;;
  64) tree=$root/build/x64 toolchain=mingw-x86_64 ;;
  *) echo "usage: $0 32|64 [targets...]" >&2; exit 2 ;;
esac
shift
options=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain.cmake" -DBUILD_TESTING=ON)
# Only the 64-bit tree has the WOW64 test that needs a 32-bit process.
if [ "$tree" = "$root/build/x64" ]; then
  runs32=OFF
  [ "$WENDRIK_BITS" = 32 ] && runs32=ON
  options+=(-DWENDRIK_RUNS_32BIT="$runs32")
fi
cmake -S "$root" -B "$tree" "${options[@]}" >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$tree" -j"$(nproc)" "${targets[@]}"

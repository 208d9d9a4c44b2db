#!/usr/bin/env bash
# Builds and runs the benchmarks under wine in Xvfb, in a prefix of their own:
#   scripts/bench.sh                     every benchmark with its defaults
#   scripts/bench.sh PROGRAM [ARGS...]   one of them, for example: page_bench 20 0
# On the 32-bit path each runs as a 32-bit and as a 64-bit program, one
# after the other; on the 64-bit path as a 64-bit one (scripts/machine.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/machine.sh"
"$root/scripts/install-deps.sh"
builds=(64)
[ "$WENDRIK_BITS" = 32 ] && builds=(32 64)
for bits in "${builds[@]}"; do "$root/scripts/build.sh" "$bits" >/dev/null; done
export WINEPREFIX="$root/build/bench-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINE=$WINE64 "$root/tests/setup-prefix.sh" >/dev/null
# The large folders, made from outside: a wine program would take minutes for them.
folders="$WINEPREFIX/drive_c/bench/folders" files="$WINEPREFIX/drive_c/bench/files"
python3 - "$folders" "$files" <<'PY'
import os, sys
folders, files = sys.argv[1], sys.argv[2]
for base in (folders, files):
    os.makedirs(os.path.join(base, "empty"), exist_ok=True)
for n in (1000, 10000):
    d = os.path.join(folders, "d%d" % n)
    if not os.path.isdir(d) or len(os.listdir(d)) < n:
        os.makedirs(d, exist_ok=True)
        for i in range(n):
            os.makedirs(os.path.join(d, "Folder %05d %s" % ((i * 7919) % n, "abcdefghij"[i % 10])), exist_ok=True)
for n in (1000, 10000, 100000):
    d = os.path.join(files, "f%d" % n)
    if not os.path.isdir(d) or len(os.listdir(d)) < n:
        os.makedirs(d, exist_ok=True)
        for i in range(n):
            open(os.path.join(d, "file %06d %s.txt" % ((i * 7919) % n, "abcdefghij"[i % 10])), "w").close()
PY
if [ $# -gt 0 ]; then
  runs=("$*")
else
  runs=(page_bench "folder_bench C:\\bench\\folders C:\\bench\\files" export_bench)
fi
wineserver -k 2>/dev/null || true
for bits in "${builds[@]}"; do
  # The 32-bit programs through Debian's wrapper, which picks wine's 32-bit loader.
  if [ "$bits" = 32 ]; then
    bin=$root/build/bin loader=wine
    unset WINELOADER
  else
    bin=$root/build/x64/bin loader=$WINE64
    export WINELOADER=$WINE64
  fi
  echo "== $bits-bit build"
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    loader=$1 bin=$2; shift 2
    for run in "$@"; do
      set -- $run
      program=$1; shift
      "$loader" "$bin/$program.exe" "$@"
    done' _ "$loader" "$bin" "${runs[@]}" 2>/dev/null
done
[ "$WENDRIK_BITS" = 32 ] || echo "(no 32-bit figures: $WENDRIK_BITS_REASON)"

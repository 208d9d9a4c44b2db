#!/usr/bin/env bash
# Builds and runs the benchmarks under wine in Xvfb, in a prefix of their own:
#   scripts/bench.sh                     every benchmark with its defaults
#   scripts/bench.sh PROGRAM [ARGS...]   one of them, for example: page_bench 20 0
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" >/dev/null
export WINEPREFIX="$root/build/bench-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/tests/setup-prefix.sh" >/dev/null
if [ $# -gt 0 ]; then
  runs=("$*")
else
  runs=(page_bench)
fi
wineserver -k 2>/dev/null || true
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  for run in "$@"; do
    set -- $run
    program=$1; shift
    wine "'"$root"'/build/bin/$program.exe" "$@"
  done' _ "${runs[@]}" 2>/dev/null

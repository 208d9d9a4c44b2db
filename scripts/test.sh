#!/usr/bin/env bash
# Builds everything and runs the whole test suite under wine in Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cd "$root/build"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure "$@"

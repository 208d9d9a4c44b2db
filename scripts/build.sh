#!/usr/bin/env bash
# Configures and builds into build/ (tests too unless given "--no-tests").
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
testing=ON
[ "${1:-}" = "--no-tests" ] && testing=OFF
cmake -S "$root" -B "$root/build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DBUILD_TESTING=$testing >/dev/null
cmake --build "$root/build" -j"$(nproc)"

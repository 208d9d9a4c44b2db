#!/usr/bin/env bash
# Configures build/ and builds the given targets (all when none are given).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DBUILD_TESTING=ON >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$root/build" -j"$(nproc)" "${targets[@]}"

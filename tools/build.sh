#!/usr/bin/env bash
# Builds Tovrell: natively (the core and its tests, with sanitizers) into
# build/native, and cross-built for Windows (Tovrell.exe and the tests) into
# build/mingw. Pass "native" or "windows" to build only one.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
what=${1:-all}

if [ "$what" = all ] || [ "$what" = native ]; then
  cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug -DTOVRELL_SANITIZE=ON -DTOVRELL_WERROR=ON >/dev/null
  cmake --build build/native -j "$jobs"
fi
if [ "$what" = all ] || [ "$what" = windows ]; then
  cmake -S . -B build/mingw -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DTOVRELL_WERROR=ON >/dev/null
  cmake --build build/mingw -j "$jobs"
fi

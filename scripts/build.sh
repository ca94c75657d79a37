#!/usr/bin/env bash
# Configures once and builds everything into build/: the program folder
# build/dist, the tests in build/tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if [ ! -f build/cmake/build.ninja ]; then
  cmake -S . -B build/cmake -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/i686-mingw.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZX_SIMULATED_CPU=ON >/dev/null
fi
cmake --build build/cmake -- -k 0

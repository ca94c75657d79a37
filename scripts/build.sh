#!/usr/bin/env bash
# Configures once and builds everything: the program folder build/dist and
# the tests in build/tests. On a machine that runs no 32-bit x86 code the
# 64-bit build that the tests run here (build/win64) is built as well.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

zx_build() {  # <cmake folder> <toolchain> <output folder>
  if [ ! -f "$1/build.ninja" ]; then
    cmake -S "$ZX_ROOT" -B "$1" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$2" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DZX_OUTPUT_DIR="$3" >/dev/null
  fi
  cmake --build "$1" -- -k 0
}

zx_build "$ZX_ROOT/build/cmake" "$ZX_ROOT/cmake/i686-mingw.cmake" "$ZX_ROOT/build"
if [ "$ZX_ARCH" = win64 ]; then
  echo "build: this machine runs no 32-bit x86 code; building the 64-bit test build too"
  zx_build "$ZX_CMAKE_DIR" "$ZX_TOOLCHAIN" "$ZX_OUT"
fi

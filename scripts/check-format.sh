#!/usr/bin/env bash
# Checks (default) or applies (--fix) .clang-format on every C and C++ source
# of the project's own code under git; third-party code (stb, GoogleTest) is
# not in the tree.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.c' '*.cpp' '*.h' '*.hpp')
if [ "${1:-}" = --fix ]; then
  clang-format -i "${files[@]}"
else
  clang-format --dry-run -Werror "${files[@]}"
fi

#!/usr/bin/env bash
# Runs every test under Wine: private display, one wineserver for the run,
# ctest as the runner. Extra arguments go to ctest (e.g. -R kyacpi).
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
trap zx_stop_started EXIT

zx_start_display
zx_ensure_prefix
zx_start_wineserver

export WINEPATH="$(zx_windows_path "$ZX_DIST")"
export VESSA_ASSERT_SILENT=1

cd "$ZX_CMAKE_DIR"
# ctest starts the longest tests first, by the times of the previous run in
# this build folder; a new build folder starts from the times kept in
# tests/test-times.txt (ctest's cost file: name, runs, mean seconds).
costs=Testing/Temporary/CTestCostData.txt
if [ ! -f "$costs" ]; then
  mkdir -p "${costs%/*}"
  cp "$ZX_ROOT/tests/test-times.txt" "$costs"
fi
ctest --output-on-failure --timeout 300 -j "$(nproc)" "$@"

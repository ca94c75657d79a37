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
ctest --output-on-failure --timeout 300 -j "$(nproc)" "$@"

#!/usr/bin/env bash
# A long seeded random walk through the running program's window (the walk
# of window_random_tests, run for minutes instead of a number of events),
# printing the program's private memory at the start, after a warm-up and
# at the end: it must not grow with the number of events.
# Usage: scripts/measure-random-window.sh [minutes] [seed] [board] [no|yes]
#        (after make build)
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
trap zx_stop_started EXIT

export ZX_RANDOM_MINUTES=${1:-5}
export ZX_RANDOM_SEED=${2:-1}
export ZX_RANDOM_BOARD=${3:-default}
export ZX_RANDOM_ANSWERS=${4:-no}

test_program="$ZX_OUT/tests/window_random_tests.exe"
[ -f "$test_program" ] || { echo "measure-random-window: build the tests first (make build)" >&2; exit 1; }

zx_start_display
zx_ensure_prefix
zx_start_wineserver
export WINEPATH="$(zx_windows_path "$ZX_DIST")"
export VESSA_ASSERT_SILENT=1
"$ZX_WINE" "$test_program" --gtest_filter='RandomWindowWalk.LongWalkKeepsItsMemory'

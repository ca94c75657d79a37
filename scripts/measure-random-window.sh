#!/usr/bin/env bash
# A long seeded random walk through the running program's window (the walk
# of window_random_tests, run for minutes instead of a number of events),
# with the program's private memory sampled every 15 s: it must not grow
# with the number of events. The figures come from the system's view of
# the program's process (Linux: the private pages of the Wine process, as
# Wine does not report another process's memory counters).
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

# The program's process of this prefix: the oldest one (second starts of
# the walk end at once).
program_pid() {
  local pid
  for pid in $(pgrep -f 'Zendrix\.exe' | sort -n); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"
      return
    fi
  done
}
private_kib() {  # private pages, clean and dirty
  awk '/^Private_(Clean|Dirty):/ { kib += $2 } END { print kib + 0 }' "/proc/$1/smaps_rollup" 2>/dev/null || echo 0
}

"$ZX_WINE" "$test_program" --gtest_filter='RandomWindowWalk.LongWalkKeepsItsMemory' &
walk=$!
start=$(date +%s)
first= last=
while kill -0 "$walk" 2>/dev/null; do
  sleep 15
  pid=$(program_pid)
  [ -n "$pid" ] || continue
  kib=$(private_kib "$pid")
  echo "measure-random-window: $(( $(date +%s) - start )) s: private memory $kib KiB"
  first=${first:-$kib}
  last=$kib
done
wait "$walk"
echo "measure-random-window: private memory first sample ${first:-?} KiB, last sample ${last:-?} KiB"

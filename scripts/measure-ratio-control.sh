#!/usr/bin/env bash
# Runs the threaded ratio control (AMD without core boost) for 10 seconds on
# the simulated machine and prints the CPU time its threads used, as a
# percentage of one core, and the register writes per second. Target: at
# most 1 % of one core. Usage: scripts/measure-ratio-control.sh [seconds]
# (after make build).
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
work=$(mktemp -d)
trap 'zx_stop_started; rm -rf "$work"' EXIT
cp "$ZX_ROOT/platform/kyio/machines/amd-4core-noboost.ini" "$work/KyIOMachine.ini"
cp "$ZX_ROOT/tests/cpu/boards/amd.ini" "$work/KyAcpiBoard.ini"

zx_ensure_prefix
zx_start_wineserver
export WINEPATH="$(zx_windows_path "$ZX_DIST")"
export KYIO_MACHINE="$(zx_windows_path "$work/KyIOMachine.ini")"
export KYACPI_BOARD="$(zx_windows_path "$work/KyAcpiBoard.ini")"

"$ZX_WINE" "$ZX_OUT/tests/ratio_control_bench.exe" "${1:-10}"

#!/usr/bin/env bash
# Runs every test under Wine: private display, one wineserver for the run,
# ctest as the runner. Extra arguments go to ctest (e.g. -R kyacpi).
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
trap zx_stop_started EXIT

zx_enter_test_run
ctest --output-on-failure --timeout 300 -j "$(nproc)" "$@"

#!/usr/bin/env bash
# run-on-screen.sh <width>x<height> <command...>
# Runs a test program on a screen of that size. A wineserver keeps one
# screen for all its programs, so the program gets a display, a wineserver
# and a prefix of its own: the prefix shares the test prefix's drive_c and
# starts from a copy of its registry. The tests beside it keep their screen.
set -euo pipefail
size=$1
shift
source "$(dirname "$0")/../../scripts/wine-env.sh"
base=$WINEPREFIX
prefix="$base-screen-$size-$$"

cleanup() {
  WINEPREFIX="$prefix" "$ZX_WINESERVER" -k 2>/dev/null || true
  WINEPREFIX="$prefix" "$ZX_WINESERVER" -w 2>/dev/null || true
  [ -n "$ZX_DISPLAY_PID" ] && kill "$ZX_DISPLAY_PID" 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT

mkdir -p "$prefix/dosdevices"
cp "$base"/*.reg "$prefix/"
cp "$base/.update-timestamp" "$prefix/" 2>/dev/null || true
ln -s "$base/drive_c" "$prefix/drive_c"
cp -P "$base"/dosdevices/* "$prefix/dosdevices/"
export WINEPREFIX="$prefix"

zx_start_display "$size"
"$ZX_WINESERVER" -f -p >/dev/null 2>&1 </dev/null &
# The prefix's own processes start here, their output going nowhere.
"$ZX_WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
"$@"

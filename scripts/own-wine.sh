#!/usr/bin/env bash
# Runs one test program on a display and a Wine of its own: a private Xvfb
# and a private copy of the project's prefix, hence a wineserver of its own.
# Its windows, desktop, named objects (the program's single-instance mutex),
# pipes (the system-control pipe) and registry are the test's alone, so test
# programs that show windows or start the program run side by side, also
# beside a second test run. cmake/ZxTargets.cmake registers those tests
# through here.
#
# The copy (zx_copy_prefix) is removed when the test ends; within a test
# run (ZX_WINE_SLOTS, see zx_slot_take) the display, the copy and its server
# go to the next test instead, unless this one failed or left a process.
#
# Usage: own-wine.sh [--screen <width>x<height>] <win32|win64> <program.exe> [arguments...]
set -uo pipefail
screen=1280x1024
if [ "${1:-}" = --screen ]; then
  screen=$2
  shift 2
fi
ZX_ARCH=$1
shift
source "$(dirname "$0")/wine-env.sh"

[ -f "$WINEPREFIX/system.reg" ] || zx_with_prefix_lock zx_ensure_prefix

if [ -n "${ZX_WINE_SLOTS:-}" ] && [ -d "$ZX_WINE_SLOTS" ]; then
  zx_slot_take "$screen" || exit 1
  program=
  trap '[ -n "$program" ] && kill -KILL "$program" 2>/dev/null; zx_slot_release 143; exit 143' TERM INT
  "$ZX_WINE" "$@" 8>&- &
  program=$!
  wait "$program"
  status=$?
  program=
  zx_slot_release "$status"
  exit "$status"
fi

mkdir -p "$ZX_PREFIX_USERS/own"
own=$(mktemp -d "$ZX_PREFIX_USERS/own/prefix.XXXXXX")
display_pid=

zx_own_end() {
  WINEPREFIX=$own "$ZX_WINESERVER" -k 2>/dev/null
  WINEPREFIX=$own "$ZX_WINESERVER" -w 2>/dev/null
  [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null
  rm -rf "$own"
}
trap zx_own_end EXIT
trap 'exit 143' TERM INT

# The display starts while the prefix is copied.
zx_launch_display "$screen"
display_pid=$ZX_DISPLAY_PID
zx_copy_prefix "$own"
export WINEPREFIX=$own

zx_await_display || exit 1
# The prefix's system processes start now with their output going nowhere,
# not from the test, whose output pipe they would hold open.
"$ZX_WINESERVER" -p >/dev/null 2>&1 </dev/null
"$ZX_WINE" cmd /c exit >/dev/null 2>&1 </dev/null
# In the background, so that a runner's timeout signal still ends it all.
"$ZX_WINE" "$@" &
program=$!
trap 'kill -KILL "$program" 2>/dev/null; exit 143' TERM INT
wait "$program"

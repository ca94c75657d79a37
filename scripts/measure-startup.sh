#!/usr/bin/env bash
# Times the program's start-up and quit against two yardsticks built here
# with the mingw cross compiler:
#   FairBaseline: a small Win32 program that does the window work the
#                 program's start-up must do (the same top-level, layered,
#                 shown, child and message-only windows with their content,
#                 the 100 ms wait, the tray icon) and nothing else
#                 (scripts/measure/fair_baseline.c);
#   MinimalTray:  a hidden window, a tray icon and a message loop.
# All three are started alternately under the project's Wine set-up, on the
# simulated board, with the system-control service stand-in running; each is
# quit once right after start-up and once after a pause. Prints every start,
# the medians, and the program's start-up ratio to each yardstick.
#   start-up: process creation until the main window answers a message
#             with its tray icon in place (the message loop runs);
#   quit:     the quit message (WM_USER, wParam 0x55) until the process ended.
# Targets: start-up at most 1.6x the fair baseline, quit at most 50 ms.
# Usage: scripts/measure-startup.sh [rounds] [pause-ms]   (after make build)
# ZX_MEASURE_DIST=<folder> times the program folder there instead.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
work=$(mktemp -d)
trap 'zx_stop_started; rm -rf "$work"' EXIT

rounds=${1:-7}
pause=${2:-500}

if [ "$ZX_ARCH" = win64 ]; then triple=x86_64-w64-mingw32; else triple=i686-w64-mingw32; fi
cc="$triple-gcc-posix"
flags=(-O2 -Wall -static -static-libgcc)
"$cc" "${flags[@]}" -mwindows -o "$work/MinimalTray.exe" "$ZX_ROOT/scripts/measure/minimal_tray.c" -lshell32
"$cc" "${flags[@]}" -mwindows -o "$work/FairBaseline.exe" "$ZX_ROOT/scripts/measure/fair_baseline.c" -lshell32
"$cc" "${flags[@]}" -o "$work/start_quit.exe" "$ZX_ROOT/scripts/measure/start_quit.c" -lshell32

ZX_DIST=${ZX_MEASURE_DIST:-$ZX_DIST}
[ -f "$ZX_DIST/Zendrix.exe" ] || { echo "measure-startup: build the program first (make build)" >&2; exit 1; }

if [ -z "${DISPLAY:-}" ]; then zx_start_display; fi
zx_ensure_prefix
zx_start_wineserver
export WINEPATH="$(zx_windows_path "$ZX_DIST")"
cd "$ZX_DIST"
if [ -f ZxSystemControlService.exe ]; then
  "$ZX_WINE" ZxSystemControlService.exe >/dev/null 2>&1 &
  ZX_STARTED_PIDS+=("$!")
fi

"$ZX_WINE" "$work/start_quit.exe" "$rounds" "$pause" \
  TFairBaseline FairBaseline "$(zx_windows_path "$work/FairBaseline.exe")" \
  TMinimalTray MinimalTray "$(zx_windows_path "$work/MinimalTray.exe")" \
  TMainForm Zendrix "$(zx_windows_path "$ZX_DIST/Zendrix.exe")"

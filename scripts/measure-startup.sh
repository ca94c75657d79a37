#!/usr/bin/env bash
# Times the program's start-up and quit against a minimal tray program (a
# hidden window, a tray icon and a message loop), built here with the mingw
# cross compiler. Both are started alternately under the project's Wine
# set-up, on the simulated board, with the system-control service stand-in
# running; each is quit once right after start-up and once after a pause.
# Prints every start, the medians and the ratios to the minimal program.
#   start-up: process creation until the main window answers a message
#             with its tray icon in place (the message loop runs);
#   quit:     the quit message (WM_USER, wParam 0x55) until the process ended.
# Targets: start-up at most 1.5x the minimal program, quit at most 100 ms.
# Usage: scripts/measure-startup.sh [rounds] [pause-ms]   (after make build)
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
"$cc" "${flags[@]}" -o "$work/start_quit.exe" "$ZX_ROOT/scripts/measure/start_quit.c" -lshell32

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
  TMinimalTray MinimalTray "$(zx_windows_path "$work/MinimalTray.exe")" \
  TMainForm Zendrix "$(zx_windows_path "$ZX_DIST/Zendrix.exe")"

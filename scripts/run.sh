#!/usr/bin/env bash
# Starts the program folder's programs under Wine on the simulated board.
# With DISPLAY set they use that display. Without one they use a private
# Xvfb: once the main window shows, build/screenshot.png is written and the
# programs are ended; when it never shows, the run fails and writes none.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
trap zx_stop_started EXIT

headless=no
if [ -z "${DISPLAY:-}" ]; then
  headless=yes
  zx_start_display
fi
zx_ensure_prefix
zx_start_wineserver
export WINEPATH="$(zx_windows_path "$ZX_DIST")"
cd "$ZX_DIST"

# The system-control service stand-in serves the pipe for the program.
service=$(ls ZxSystemControlService.exe 2>/dev/null || true)
if [ -n "$service" ]; then
  "$ZX_WINE" "$service" >/dev/null 2>&1 &
  ZX_STARTED_PIDS+=("$!")
else
  echo "run: the system-control service stand-in is not built yet"
fi
[ -f KyAcpi.dll ] || echo "run: KyAcpi.dll (the simulated board) is not built yet"

if [ ! -f Zendrix.exe ]; then
  echo "run: Zendrix.exe is not built yet; nothing to show"
  exit 0
fi

if [ "$headless" = no ]; then
  "$ZX_WINE" Zendrix.exe "$@"
  exit 0
fi

# Whether a window named $1 is on the screen (Wine makes X windows for
# hidden windows too, unmapped).
zx_window_shown() {
  local id
  for id in $(xwininfo -root -tree 2>/dev/null | grep -F "\"$1\":" | awk '{print $1}'); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && return 0
  done
  return 1
}
zx_window_made() { xwininfo -root -tree 2>/dev/null | grep -qF "\"$1\":"; }

screenshot="$ZX_ROOT/build/screenshot.png"
rm -f "$screenshot"  # never leave an earlier run's picture as this one's
"$ZX_WINE" Zendrix.exe "$@" >/dev/null 2>&1 &
app=$!
ZX_STARTED_PIDS+=("$app")
# The main window starts hidden in the tray; a second start shows it. The
# shadow window is the last window start-up makes.
for i in $(seq 1 60); do
  if zx_window_made ShadowForm || ! kill -0 "$app" 2>/dev/null; then break; fi
  sleep 0.5
done
"$ZX_WINE" Zendrix.exe >/dev/null 2>&1 || true
shown=no
for i in $(seq 1 60); do
  if zx_window_shown Zendrix; then shown=yes; break; fi
  kill -0 "$app" 2>/dev/null || break
  sleep 0.5
done
if [ "$shown" = no ]; then
  if kill -0 "$app" 2>/dev/null; then
    echo "run: the main window did not show within 30 seconds; no screenshot written" >&2
  else
    echo "run: Zendrix.exe ended before its main window showed; no screenshot written" >&2
  fi
  exit 1
fi
sleep 1
import -window root "$screenshot"
echo "run: wrote build/screenshot.png"
"$ZX_WINE" Zendrix.exe --quit >/dev/null 2>&1 || true

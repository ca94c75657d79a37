# Sourced by the build, test and run scripts: the project's Wine prefix, a
# private display and a persistent wineserver.
#
#   zx_start_display   starts a private Xvfb and exports DISPLAY
#   zx_ensure_prefix   creates the 32-bit prefix under build/ once
#   zx_start_wineserver keeps one wineserver for the whole run
#   zx_stop_started    stops what this shell started, by process id

ZX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="$ZX_ROOT/build/wineprefix"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer dialogs in an unattended prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
ZX_DIST="$ZX_ROOT/build/dist"
ZX_STARTED_PIDS=()

zx_windows_path() { printf 'Z:%s' "$1" | tr '/' '\\'; }

zx_start_display() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    local pid=$!
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
      ZX_STARTED_PIDS+=("$pid")
      export DISPLAY=":$n"
      return 0
    fi
  done
  echo "could not start Xvfb" >&2
  return 1
}

zx_ensure_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating the 32-bit prefix in build/wineprefix (once)"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    [ -f "$WINEPREFIX/system.reg" ] || { echo "wine: prefix creation failed" >&2; return 1; }
  fi
  if [ ! -f "$WINEPREFIX/.zx-unmanaged" ]; then
    # Without a window manager, Wine waits up to 2 s for every managed
    # window it hides; unmanaged windows are hidden at once.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.zx-unmanaged"
  fi
}

zx_start_wineserver() {
  wineserver -f -p >/dev/null 2>&1 &
  ZX_STARTED_PIDS+=("$!")
  # Start the prefix's system processes (services, devices, desktop) now,
  # with their output going nowhere: started by the first test instead, they
  # would hold that test's output pipe open and the runner would wait forever.
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
  # No window manager runs on the private display: windows Wine hands to one
  # wait up to two seconds for it whenever they are hidden or destroyed.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null || true
}

zx_stop_started() {
  local pid
  # End the Windows processes of the prefix first, then what we started.
  wineserver -k 2>/dev/null || true
  for pid in "${ZX_STARTED_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${ZX_STARTED_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  ZX_STARTED_PIDS=()
}

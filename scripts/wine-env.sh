# Sourced by the build, test and run scripts: the project's Wine prefix, a
# private display and a persistent wineserver.
#
#   zx_start_display   starts a private Xvfb (1280x1024, or the size given) and
#                      exports DISPLAY (zx_launch_display, then zx_await_display)
#   zx_ensure_prefix   creates the 32-bit prefix under build/ once
#   zx_start_wineserver keeps one wineserver for the whole run
#   zx_copy_prefix     copies the prefix for a wineserver of its own
#   zx_slot_take ...   the prefix copies a test run hands from test to test
#   zx_enter_test_run  all of that for ctest: display, prefix, wineserver,
#                      the program folder on the path, in the ctest folder
#   zx_stop_started    stops what this shell started, by process id
#
# Several scripts may use the prefix at once (a make run beside a make test):
# each one registers while it runs and ends only the processes it started.
# The wineserver and the prefix's own processes (services, desktop) are
# shared; the last script to leave ends them, and the private displays that
# the others left for them.

ZX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Which Windows build runs here. The program is 32-bit (build/dist, run by
# the 32-bit Wine in a win32 prefix). Some machines' kernels execute no
# 32-bit x86 code at all; there the same sources are built for 64-bit
# Windows (build/win64/dist) and run by the 64-bit Wine. ZX_ARCH=win32 or
# win64 overrides the choice.
zx_machine_runs_i386() { /usr/lib/wine/wineserver32 --version >/dev/null 2>&1; }
if [ -z "${ZX_ARCH:-}" ]; then
  if [ ! -e /usr/lib/wine/wineserver32 ] || zx_machine_runs_i386; then ZX_ARCH=win32; else ZX_ARCH=win64; fi
fi
if [ "$ZX_ARCH" = win64 ]; then
  ZX_OUT="$ZX_ROOT/build/win64"
  ZX_CMAKE_DIR="$ZX_ROOT/build/cmake64"
  ZX_TOOLCHAIN="$ZX_ROOT/cmake/x86_64-mingw.cmake"
  export WINEPREFIX="$ZX_ROOT/build/wineprefix64"
  export WINEARCH=win64
  ZX_WINE=/usr/lib/wine/wine64
  ZX_WINESERVER=/usr/lib/wine/wineserver64
  export WINELOADER="$ZX_WINE"
else
  ZX_OUT="$ZX_ROOT/build"
  ZX_CMAKE_DIR="$ZX_ROOT/build/cmake"
  ZX_TOOLCHAIN="$ZX_ROOT/cmake/i686-mingw.cmake"
  export WINEPREFIX="$ZX_ROOT/build/wineprefix"
  export WINEARCH=win32
  ZX_WINE=wine
  ZX_WINESERVER=wineserver
fi
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer dialogs in an unattended prefix, and no desktop
# menu entries written for it (winemenubuilder would run at every prefix
# start, once per test that has a prefix of its own).
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
ZX_DIST="$ZX_OUT/dist"
ZX_STARTED_PIDS=()
ZX_DISPLAY_PID=
# users/<pid>: a script using the prefix; displays/<pid>: an Xvfb to end
# with the prefix's processes.
ZX_PREFIX_USERS="$WINEPREFIX.users"

zx_windows_path() { printf 'Z:%s' "$1" | tr '/' '\\'; }

zx_start_display() { zx_launch_display "$@" && zx_await_display; }

# The two halves of zx_start_display, so that a script can prepare its
# prefix while the server starts.
zx_launch_display() {
  # Xvfb picks a free display number itself (-displayfd), so displays that
  # several scripts or tests start at once never collide.
  local size=${1:-1280x1024}
  ZX_DISPLAY_NUMBER_FILE=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$ZX_DISPLAY_NUMBER_FILE" >/dev/null 2>&1 &
  ZX_DISPLAY_PID=$!
}

zx_await_display() {
  local pid=$ZX_DISPLAY_PID n i
  for i in $(seq 1 400); do
    n=$(tr -dc 0-9 <"$ZX_DISPLAY_NUMBER_FILE")
    [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  rm -f "$ZX_DISPLAY_NUMBER_FILE"
  if [ -z "$n" ] || ! kill -0 "$pid" 2>/dev/null; then
    echo "could not start Xvfb" >&2
    return 1
  fi
  export DISPLAY=":$n"
  # An empty resource database: without one, Xlib looks for ~/.Xdefaults
  # each time Wine asks for an X resource (at every font selection).
  xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "" 2>/dev/null || true
}

zx_ensure_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating the $WINEARCH prefix in ${WINEPREFIX#$ZX_ROOT/} (once)"
    mkdir -p "$WINEPREFIX"
    "$ZX_WINE" wineboot -i >/dev/null 2>&1 || true
    "$ZX_WINESERVER" -w
    [ -f "$WINEPREFIX/system.reg" ] || { echo "wine: prefix creation failed" >&2; return 1; }
  fi
  if [ ! -f "$WINEPREFIX/.zx-unmanaged" ]; then
    # Without a window manager, Wine waits up to 2 s for every managed
    # window it hides; unmanaged windows are hidden at once.
    "$ZX_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    "$ZX_WINESERVER" -w
    touch "$WINEPREFIX/.zx-unmanaged"
  fi
  if [ ! -f "$WINEPREFIX/.zx-arial" ]; then
    # The prefix has no Arial, the skin's font: Liberation Sans has its
    # metrics, so texts measure and clip as on Windows.
    "$ZX_WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f >/dev/null 2>&1
    "$ZX_WINESERVER" -w
    touch "$WINEPREFIX/.zx-arial"
  fi
  if [ ! -f "$WINEPREFIX/.zx-no-devices" ]; then
    # Every prefix start would start the plug-and-play service, a device
    # host with the USB and HID drivers, the network services and the event
    # log: a second of CPU at each start, and a test prefix starts once per
    # test program. The programs here use none of them (the board is
    # simulated, the system-control service is the program folder's own).
    # The mount manager stays: without it the program never shows its
    # windows in a prefix copied from a new one.
    local service driver
    for service in PlugPlay NDIS nsiproxy Eventlog winebus winehid wineusb; do
      "$ZX_WINE" reg add "HKLM\\System\\CurrentControlSet\\Services\\$service" /v Start /t REG_DWORD /d 4 /f >/dev/null 2>&1
    done
    # The device host loads the plug-and-play drivers whatever their start
    # type says; a driver that cannot be loaded is skipped.
    for driver in winebus.sys wineusb.sys winehid.sys; do
      "$ZX_WINE" reg add 'HKCU\Software\Wine\DllOverrides' /v "$driver" /d '' /f >/dev/null 2>&1
    done
    "$ZX_WINESERVER" -w
    touch "$WINEPREFIX/.zx-no-devices"
  fi
}

# zx_copy_prefix <folder>: a copy of the prefix in that (empty) folder for a
# wineserver of its own. It hard-links the prefix's files (Wine replaces
# rather than rewrites its registry files) except the user folders, which
# programs write.
zx_copy_prefix() {
  local own=$1 entry
  cp -p "$WINEPREFIX"/*.reg "$WINEPREFIX/.update-timestamp" "$own"/
  cp -a "$WINEPREFIX/dosdevices" "$own"/
  mkdir "$own/drive_c"
  for entry in "$WINEPREFIX"/drive_c/*; do
    if [ "${entry##*/}" = users ]; then cp -a "$entry" "$own/drive_c/"; else cp -al "$entry" "$own/drive_c/"; fi
  done
}

# Prefix slots: a test run (zx_enter_test_run) keeps the displays, prefix
# copies and servers of the tests that want their own (own-wine.sh) and
# hands each to the next such test once its test program has ended: a prefix
# start (display, copy, server, system processes, and the registry saved at
# the end) costs about three CPU seconds, and a run has some sixty such
# tests but only as many at once as ctest runs. A slot serves one test at a
# time (its lock) and is ended, for the next test to start afresh, when a
# test failed or left a process of its own behind. ZX_WINE_SLOTS names the
# run's slot folder; without it own-wine.sh starts a fresh prefix each time.
#
#   zx_slot_take <screen>    takes a free slot of that screen size, started
#                            if need be: exports WINEPREFIX and DISPLAY,
#                            holds its lock on descriptor 8 (what the test
#                            starts is started with 8>&-)
#   zx_slot_release <status> ends the slot unless the test passed and left
#                            only the prefix's own processes behind
#   zx_slots_end [folder]    ends every slot of the run (or of that folder)

# What a prefix runs by itself; anything else left running is a test's.
ZX_PREFIX_PROCESSES=" wineserver wineserver64 services.exe winedevice.exe explorer.exe rpcss.exe plugplay.exe svchost.exe conhost.exe start.exe "

zx_slot_take() {
  local screen=$1 number slot
  for number in $(seq 1 64); do
    slot=$ZX_WINE_SLOTS/$screen.$number
    mkdir -p "$slot"
    exec 8>"$slot/lock"
    flock -n 8 && break
    exec 8>&-
    slot=
  done
  [ -n "$slot" ] || { echo "own-wine: no free prefix slot" >&2; return 1; }
  ZX_SLOT=$slot
  if zx_slot_alive "$slot"; then
    export WINEPREFIX=$slot/prefix DISPLAY
    DISPLAY=$(cat "$slot/display")
    return 0
  fi
  zx_slot_end "$slot"
  # Nothing started here may hold the slot's lock: it would stay taken.
  zx_slot_start "$slot" "$screen" 8>&-
}

zx_slot_start() {  # <slot> <screen>
  local slot=$1
  zx_launch_display "$2"
  echo "$ZX_DISPLAY_PID" >"$slot/display.pid"
  mkdir "$slot/prefix"
  zx_copy_prefix "$slot/prefix"
  export WINEPREFIX=$slot/prefix
  zx_await_display || return 1
  echo "$DISPLAY" >"$slot/display"
  "$ZX_WINESERVER" -f -p >/dev/null 2>&1 </dev/null &
  echo "$!" >"$slot/server.pid"
  # The prefix's system processes start now with their output going
  # nowhere, not from a test, whose output pipe they would hold open.
  "$ZX_WINE" cmd /c exit >/dev/null 2>&1 </dev/null
}

zx_slot_alive() {  # <slot>
  local slot=$1 pid
  [ -f "$slot/display" ] || return 1
  for pid in "$(cat "$slot/display.pid" 2>/dev/null)" "$(cat "$slot/server.pid" 2>/dev/null)"; do
    [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || return 1
  done
}

# The processes of the slot's prefix that are not the prefix's own.
zx_slot_leftovers() {  # <slot>
  local file pid name
  for file in $(grep -lsxz "WINEPREFIX=$1/prefix" /proc/[0-9]*/environ); do
    pid=${file#/proc/}
    pid=${pid%/environ}
    name=$(cat "/proc/$pid/comm" 2>/dev/null) || continue
    case "$ZX_PREFIX_PROCESSES" in *" $name "*) continue ;; esac
    # This script, what it runs to look, and the display.
    case " bash grep flock Xvfb xkbcomp " in *" $name "*) continue ;; esac
    echo "$pid $name"
  done
}

zx_slot_release() {  # <test status>
  if [ "$1" != 0 ] || [ -n "$(zx_slot_leftovers "$ZX_SLOT")" ]; then
    zx_slot_end "$ZX_SLOT"
  fi
  exec 8>&-
}

zx_slot_end() {  # <slot>
  local slot=$1 pid
  if [ -d "$slot/prefix" ]; then
    WINEPREFIX=$slot/prefix "$ZX_WINESERVER" -k 2>/dev/null
    WINEPREFIX=$slot/prefix "$ZX_WINESERVER" -w 2>/dev/null
  fi
  pid=$(cat "$slot/display.pid" 2>/dev/null || true)
  [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ] && kill "$pid" 2>/dev/null
  rm -rf "$slot/prefix" "$slot/display" "$slot/display.pid" "$slot/server.pid"
}

zx_slots_end() {  # [folder]
  local folder=${1:-${ZX_WINE_SLOTS:-}} slot
  [ -n "$folder" ] && [ -d "$folder" ] || return 0
  for slot in "$folder"/*/; do
    [ -d "$slot" ] && zx_slot_end "${slot%/}"
  done
  rm -rf "$folder"
}

# Ends the slots of runs that ended without ending them (slots.<pid>).
zx_slots_end_stale() {
  local folder pid
  for folder in "$ZX_PREFIX_USERS"/slots.*; do
    [ -d "$folder" ] || continue
    pid=${folder##*.}
    if [ -z "$(zx_start_time "$pid")" ] || [ "$(zx_start_time "$pid")" != "$(cat "$folder/owner" 2>/dev/null)" ]; then
      zx_slots_end "$folder"
    fi
  done
}

# Runs "$@" holding the prefix's user lock (the lock's descriptor is not
# handed to anything started in it).
zx_with_prefix_lock() {
  mkdir -p "$ZX_PREFIX_USERS/users" "$ZX_PREFIX_USERS/displays"
  (
    flock 9
    "$@" 9>&-
  ) 9>"$ZX_PREFIX_USERS/lock"
}

# A user entry holds its script's start time, so that a reused process id
# does not count as the script.
zx_start_time() { awk '{ print $22 }' "/proc/$1/stat" 2>/dev/null; }

# True when a script other than this one still uses the prefix; drops the
# entries of scripts that ended without leaving.
zx_other_users() {
  local entry pid
  for entry in "$ZX_PREFIX_USERS"/users/*; do
    [ -e "$entry" ] || continue
    pid=${entry##*/}
    [ "$pid" = "$$" ] && continue
    if [ -n "$(zx_start_time "$pid")" ] && [ "$(zx_start_time "$pid")" = "$(cat "$entry")" ]; then return 0; fi
    rm -f "$entry"
  done
  return 1
}

# Ends the server, the prefix's own processes and the displays kept for them.
zx_end_prefix() {
  local entry pid
  "$ZX_WINESERVER" -k 2>/dev/null || true
  "$ZX_WINESERVER" -w 2>/dev/null || true
  for entry in "$ZX_PREFIX_USERS"/displays/*; do
    [ -e "$entry" ] || continue
    pid=${entry##*/}
    [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ] && kill "$pid" 2>/dev/null
    rm -f "$entry"
  done
}

zx_register_user() {
  # What a script that ended without leaving kept running (a server whose
  # desktop lost its display) would hang the programs of this one.
  zx_other_users || zx_end_prefix
  zx_start_time $$ >"$ZX_PREFIX_USERS/users/$$"
  # Persistent: the server and the prefix's own processes stay between the
  # programs of a run. Does nothing when another script's server runs.
  "$ZX_WINESERVER" -f -p >/dev/null 2>&1 </dev/null &
}

# Leaves the prefix; the last user ends what the users shared.
zx_unregister_user() {
  rm -f "$ZX_PREFIX_USERS/users/$$"
  [ -n "$ZX_DISPLAY_PID" ] && touch "$ZX_PREFIX_USERS/displays/$ZX_DISPLAY_PID"
  zx_other_users || zx_end_prefix
}

zx_start_wineserver() {
  zx_with_prefix_lock zx_register_user
  # Start the prefix's system processes (services, devices, desktop) now,
  # with their output going nowhere: started by the first test instead, they
  # would hold that test's output pipe open and the runner would wait forever.
  # (zx_ensure_prefix has made the prefix's windows unmanaged.)
  "$ZX_WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
}

# What a run of the tests needs before ctest starts, in the ctest folder
# (the caller traps zx_stop_started). ctest starts the longest tests first,
# by the times of the previous run in this build folder; a new build folder
# starts from the times kept in tests/test-times.txt (ctest's cost file:
# name, runs, mean seconds).
zx_enter_test_run() {
  zx_start_display
  zx_ensure_prefix
  zx_start_wineserver
  export WINEPATH="$(zx_windows_path "$ZX_DIST")"
  export VESSA_ASSERT_SILENT=1
  zx_slots_end_stale
  export ZX_WINE_SLOTS="$ZX_PREFIX_USERS/slots.$$"
  mkdir -p "$ZX_WINE_SLOTS"
  zx_start_time $$ >"$ZX_WINE_SLOTS/owner"
  cd "$ZX_CMAKE_DIR"
  ZX_TEST_COSTS=Testing/Temporary/CTestCostData.txt
  if [ ! -f "$ZX_TEST_COSTS" ]; then
    mkdir -p "${ZX_TEST_COSTS%/*}"
    cp "$ZX_ROOT/tests/test-times.txt" "$ZX_TEST_COSTS"
  fi
}

# Ends the programs this shell started (a Windows program's process ends on
# SIGKILL; Wine turns SIGTERM into the end of one thread only), then leaves
# the prefix.
zx_stop_started() {
  local pid
  for pid in "${ZX_STARTED_PIDS[@]}"; do
    kill -KILL "$pid" 2>/dev/null || true
  done
  for pid in "${ZX_STARTED_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  ZX_STARTED_PIDS=()
  [ "${ZX_WINE_SLOTS:-}" = "$ZX_PREFIX_USERS/slots.$$" ] && zx_slots_end
  if [ -d "$ZX_PREFIX_USERS/users" ]; then
    zx_with_prefix_lock zx_unregister_user
  elif [ -n "$ZX_DISPLAY_PID" ]; then
    kill "$ZX_DISPLAY_PID" 2>/dev/null || true
  fi
  ZX_DISPLAY_PID=
}

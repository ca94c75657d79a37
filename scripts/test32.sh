#!/usr/bin/env bash
# make test32: runs the real 32-bit program folder (build/dist) with the
# 32-bit Wine under qemu-i386, on a kernel that executes no 32-bit x86 code.
# qemu is registered for i386 files only inside a private user, mount and pid
# namespace: nothing changes outside it, and its end ends every process
# started in it. Checks, black-box: every export of the folder's libraries
# called by a 32-bit client (tests/abi32), and the program started into the
# tray, shown by a second start, screenshotted (compared with the 64-bit
# build's window) and ended with the signature quit. Prints the time of each
# step. Exit 0 passed, 1 failed; it skips ("SKIP", exit 0) when the emulator
# or the namespace cannot start here.
#
# Usage: test32.sh [--in-suite]   --in-suite: one entry of the test suite
# (make test): setup and build are done already, and a SKIP exits 77.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=$root/build/test32
mkdir -p "$work"
# One run at a time in this tree (make test32 beside make test); the lock is
# held by flock itself, not handed to the servers a run leaves behind.
if [ -z "${ZX_TEST32_LOCKED:-}" ]; then
  ZX_TEST32_LOCKED=1 exec flock -o "$work/lock" bash "$root/scripts/test32.sh" "$@"
fi
now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.1f", b - a }'; }
total=$(now)

in_suite=no
[ "${1:-}" = --in-suite ] && in_suite=yes
skip() {  # skip <reason>
  echo "test32: SKIP: $1"
  [ "$in_suite" = yes ] && exit 77
  exit 0
}

if [ "$in_suite" = no ]; then
  start=$(now)
  scripts/setup.sh --test32
  scripts/build.sh >/dev/null
  echo "test32: setup and build $(since "$start") s"
fi

if ! command -v qemu-i386-static >/dev/null || ! unshare --user --map-root-user --mount --pid --fork --mount-proc true 2>/dev/null; then
  skip "qemu-i386-static or an unprivileged user namespace is not available"
fi

start=$(now)
fixups=$work/qemu-fixups.so
if [ ! -f "$fixups" ] || [ scripts/test32/qemu-fixups.c -nt "$fixups" ]; then
  gcc -m32 -O2 -Wall -shared -fPIC -o "$fixups" scripts/test32/qemu-fixups.c -ldl
fi
echo "test32: fix-up library $(since "$start") s"

# The 64-bit build's window, shown the same way for the comparison, beside
# the emulator's run (own prefix, display and server: nothing shared).
reference64() {
  local start
  start=$(now)
  if (
    source scripts/wine-env.sh
    # A prefix of its own: the program it starts must not meet the tests'.
    export WINEPREFIX=$work/wineprefix64
    ZX_PREFIX_USERS=$WINEPREFIX.users
    trap zx_stop_started EXIT
    source scripts/test32/show-program.sh
    [ "$ZX_ARCH" = win64 ] || exit 1
    zx_start_display && zx_ensure_prefix && zx_start_wineserver && zx_show_program "$work/program64"
  ) >"$work/reference64.log" 2>&1; then
    echo "test32: 64-bit reference window $(since "$start") s"
  else
    echo "test32: no 64-bit reference window ($(since "$start") s):"
    sed 's/^/  /' "$work/reference64.log"
    return 1
  fi
}
reference64 >"$work/reference64.result" &
reference=$!

start=$(now)
set +e
unshare --user --map-root-user --mount --pid --fork --mount-proc --kill-child \
  timeout 840 bash scripts/test32/in-namespace.sh "$work" "$fixups"
result=$?
set -e
echo "test32: under the emulator $(since "$start") s"
sed 's/^/  /' "$work/steps" 2>/dev/null || true
reference_shown=yes
wait "$reference" || reference_shown=no
cat "$work/reference64.result"
if [ "$result" = 77 ]; then
  skip "the emulator did not start Wine (total $(since "$total") s)"
fi

if [ -f "$work/program/screenshot.png" ]; then
  if [ "$reference_shown" = yes ]; then
    "$(command -v /usr/bin/python3 || command -v python3)" scripts/compare-windows.py "$work/program64" "$work/program" || result=1
  else
    echo "test32: no 64-bit reference window to compare with"
  fi
fi
echo "test32: $([ "$result" = 0 ] && echo passed || echo FAILED) (total $(since "$total") s)"
exit "$result"

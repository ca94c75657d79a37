#!/usr/bin/env bash
# Runs inside a private user, mount and pid namespace (scripts/test32.sh):
# registers i386 ELF files to qemu in this namespace's own binfmt_misc, then
# runs the 32-bit clients and the program from build/dist with the 32-bit
# Wine. Everything started here ends with the namespace.
# Arguments: <work folder> <fix-up library>
set -euo pipefail
work=$1
fixups=$2
export ZX_ARCH=win32
source "$(dirname "$0")/../wine-env.sh"
source "$(dirname "$0")/show-program.sh"
export WINEPREFIX="$work/wineprefix"
export WINEDEBUG=-all
# An automatically started debugger would hold the output pipe open.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
# The 64-bit server serves the 32-bit prefix natively: only Windows code is emulated.
export WINESERVER=/usr/lib/wine/wineserver64
ZX_WINE=/usr/lib/wine/wine
ZX_WINESERVER=$WINESERVER
ZX_SLOW=4
steps="$work/steps"
: >"$steps"

step() {  # step <name> <command...>: runs it, records its time
  local name=$1 start
  shift
  start=$(zx_now)
  if "$@"; then
    echo "$name $(zx_since "$start")" >>"$steps"
  else
    echo "$name FAILED after $(zx_since "$start") s" >>"$steps"
    return 1
  fi
}

register_emulator() {
  mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc || return 1
  # i386 ELF executables and shared objects; F: the emulator is opened now.
  printf '%s' ':zx-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
    >/proc/sys/fs/binfmt_misc/register
}
if ! register_emulator || ! /usr/lib/wine/wineserver32 --version >/dev/null 2>&1; then
  echo "test32: SKIP: cannot register qemu-i386 in a private binfmt_misc here"
  exit 77
fi
# Only the emulated processes get the fix-ups; the host's own stay clean.
export QEMU_SET_ENV="LD_PRELOAD=$fixups:/usr/lib/i386-linux-gnu/libgcc_s.so.1"

make_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  timeout 300 "$ZX_WINE" wineboot -i >/dev/null 2>&1 </dev/null || true
  timeout 60 "$ZX_WINESERVER" -w || true
  [ -f "$WINEPREFIX/system.reg" ]
}
start_prefix() {
  "$ZX_WINESERVER" -p -f >/dev/null 2>&1 </dev/null &
  timeout 120 "$ZX_WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
  timeout 120 "$ZX_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
}
step display zx_start_display
if ! step prefix make_prefix && ! step prefix_again make_prefix; then
  echo "test32: SKIP: the 32-bit Wine cannot make a prefix under the emulator"
  exit 77
fi
step prefix_start start_prefix

result=0
# One client run per library, each with its own time-out: a hang or an
# emulator crash in one leaves the others' results.
clients() {  # clients <name>
  timeout $((60 * ZX_SLOW)) "$ZX_WINE" "$ZX_OUT/tests/abi32_tests.exe" --gtest_color=no --gtest_filter="*.$1*" \
    </dev/null >"$work/clients-$1.log" 2>&1
}
for library in ZxOcLib KyAcpi Dovrel; do
  if ! step "client_$library" clients "$library"; then
    result=1
    echo "test32: the 32-bit $library client failed:"
    grep -E '^\[  FAILED|Failure|Expected|Which is|ordinal|Actual|wine:|error' "$work/clients-$library.log" | head -20 || true
  fi
done

if ! step program zx_show_program "$work/program"; then
  result=1
fi
cat "$work/program/steps" 2>/dev/null | sed 's/^/  program: /' >>"$steps" || true
exit $result

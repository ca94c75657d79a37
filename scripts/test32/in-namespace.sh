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
# A 64-bit loader set by the caller (the test suite's environment) would
# start the 64-bit Wine for every new process of the 32-bit prefix.
unset WINELOADER
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

# limited <seconds> <command...>: runs the command; past the limit the
# prefix's server is ended, which ends every Wine process that hangs on it.
limited() {
  local limit=$1 watchdog result=0
  shift
  (
    sleep "$limit"
    "$ZX_WINESERVER" -k
  ) >/dev/null 2>&1 &
  watchdog=$!
  "$@" || result=$?
  kill "$watchdog" 2>/dev/null || true
  return $result
}

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

# The prepared prefix (created, then set up as the project's prefixes are)
# is kept as an archive made once; every run starts from a fresh copy of it.
prefix_archive="$work/wineprefix32.tar"
make_prefix() {
  rm -rf "$WINEPREFIX"
  if [ -f "$prefix_archive" ] && tar -C "$work" -xf "$prefix_archive" && [ -f "$WINEPREFIX/.zx-arial" ]; then
    return 0
  fi
  rm -rf "$WINEPREFIX" "$prefix_archive"
  limited $((75 * ZX_SLOW)) zx_ensure_prefix >/dev/null </dev/null || return 1
  tar -C "$work" -cf "$prefix_archive.part" "${WINEPREFIX##*/}" && mv "$prefix_archive.part" "$prefix_archive"
}
# Persistent: the server and the prefix's own processes (services, desktop)
# start once, not with every program.
start_prefix() {
  "$ZX_WINESERVER" -p -f >/dev/null 2>&1 </dev/null &
  limited $((30 * ZX_SLOW)) "$ZX_WINE" cmd /c exit >/dev/null 2>&1 </dev/null
}
step display zx_start_display
if ! step prefix make_prefix && ! step prefix_again make_prefix; then
  echo "test32: SKIP: the 32-bit Wine cannot make a prefix under the emulator"
  exit 77
fi
step prefix_start start_prefix

# The client runs among the program folder's files, as the program does:
# Dovrel reads its texts, skin and PNG decoder from beside the program that
# loaded it. The folder links to them, the client is a copy (a program's
# folder is where its file lies, not where a link points).
client_folder="$work/client"
rm -rf "$client_folder"
mkdir -p "$client_folder"
cp "$ZX_OUT/tests/abi32_tests.exe" "$client_folder/"
ln -s "$ZX_DIST"/* "$client_folder/"

result=0
# One client run per library, each with its own time-out: a hang or an
# emulator crash in one leaves the others' results.
clients() {  # clients <name>
  timeout $((60 * ZX_SLOW)) "$ZX_WINE" "$client_folder/abi32_tests.exe" --gtest_color=no --gtest_filter="*.$1*" \
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

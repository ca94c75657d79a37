#!/usr/bin/env bash
# Installs what the build and the tests need, with apt-get. Idempotent: when
# everything is present it only asks dpkg and touches nothing.
set -euo pipefail

PACKAGES=(
  cmake ninja-build make
  g++-mingw-w64-i686          # i686-w64-mingw32-g++-posix
  googletest                  # built from /usr/src/googletest with the cross compiler
  wine wine32:i386            # 32-bit Windows runtime for the program and every test
  xvfb xauth x11-utils        # private display for windows under test
  imagemagick                 # screenshots of the display (import), their comparison
  gcc libx11-dev              # the desktop test's screen grabber (scripts/screen-grab.c)
  libstb-dev                  # PNG decoder of the pngio.dll stand-in
  python3 python3-pil fonts-dejavu-core   # the skin generator under assets/
  clang-format                # the source format check (scripts/check-format.sh)
  fonts-liberation            # Liberation Sans: Arial's metrics for the Wine prefix
  openbox trayer xdotool      # the desktop test: a window manager, an XEmbed tray, real input
)
# make test32 only: the i386 emulator and the compiler of its fix-up library.
TEST32_PACKAGES=(qemu-user-static gcc gcc-multilib)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# install_missing <packages...>: installs those not yet present.
install_missing() {
  local PACKAGES=("$@")
  local missing=()
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
    missing=("${PACKAGES[@]}")
  else
    # One dpkg query for all of them; a package is present when its status is "ii".
    local query=()
    for pkg in "${PACKAGES[@]}"; do query+=("$pkg"); done
    local present
  present=$(dpkg-query -W -f='${binary:Package} ${db:Status-Abbrev}\n' "${query[@]}" 2>/dev/null | awk '$2 == "ii" { print $1; sub(/:.*/, "", $1); print $1 }' || true)
    for pkg in "${PACKAGES[@]}"; do
      if ! grep -Fxq -e "$pkg" -e "${pkg%%:*}" <<<"$present"; then
        missing+=("$pkg")
      fi
    done
  fi

  [ ${#missing[@]} -eq 0 ] && return 0

  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -qq
  as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  echo "setup: done"
}

install_missing "${PACKAGES[@]}"
if [ "${1:-}" = --test32 ]; then
  install_missing "${TEST32_PACKAGES[@]}"
fi

# A machine whose kernel executes no 32-bit x86 code runs the tests on the
# 64-bit build of the same sources, with the 64-bit Wine.
source "$(dirname "$0")/wine-env.sh"
if [ "$ZX_ARCH" = win64 ]; then
  install_missing g++-mingw-w64-x86-64 wine64
fi

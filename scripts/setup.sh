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
  imagemagick                 # screenshots of the display (import)
  libstb-dev                  # PNG decoder of the pngio.dll stand-in
  python3 python3-pil fonts-dejavu-core   # the skin generator under assets/
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
  missing=("${PACKAGES[@]}")
else
  # One dpkg query for all of them; a package is present when its status is "ii".
  query=()
  for pkg in "${PACKAGES[@]}"; do query+=("$pkg"); done
  present=$(dpkg-query -W -f='${binary:Package} ${db:Status-Abbrev}\n' "${query[@]}" 2>/dev/null | awk '$2 == "ii" { print $1; sub(/:.*/, "", $1); print $1 }' || true)
  for pkg in "${PACKAGES[@]}"; do
    if ! grep -Fxq -e "$pkg" -e "${pkg%%:*}" <<<"$present"; then
      missing+=("$pkg")
    fi
  done
fi

[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
as_root apt-get update -qq
as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "setup: done"

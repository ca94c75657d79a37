#!/usr/bin/env bash
# Prints the size of the program folder (build/dist) and of its 64-bit twin
# (build/win64/dist), each in all and per binary, against the limit of
# 5,000,000 bytes. Exits non-zero when a folder is over it. After make build.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
limit=5000000
status=0
for folder in "$ZX_ROOT/build/dist" "$ZX_ROOT/build/win64/dist"; do
  [ -d "$folder" ] || continue
  total=$(du -sb "$folder" | cut -f1)
  echo "${folder#$ZX_ROOT/}: $total bytes ($(awk "BEGIN { printf \"%.3f\", $total / $limit }") of the limit)"
  for binary in "$folder"/*.exe "$folder"/*.dll; do
    [ -e "$binary" ] && printf '  %9d %s\n' "$(stat -c %s "$binary")" "${binary##*/}"
  done
  [ "$total" -le "$limit" ] || status=1
done
exit $status

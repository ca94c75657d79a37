# Sourced by the scripts and tests that drive the program's windows from
# outside: what the X display shows of them, and waiting for it.

zx_now() { date +%s.%N; }
zx_since() { awk -v a="$1" -v b="$(zx_now)" 'BEGIN { printf "%.1f", b - a }'; }

# The X window of the viewable top-level window titled $1 (the largest one).
zx_viewable_window() {
  local id best= area bestArea=0 geometry
  for id in $(xwininfo -root -tree 2>/dev/null | grep -F "\"$1\":" | awk '{print $1}'); do
    geometry=$(xwininfo -id "$id" 2>/dev/null) || continue
    grep -q 'Map State: IsViewable' <<<"$geometry" || continue
    area=$(awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w * h }' <<<"$geometry")
    [ "$area" -gt "$bestArea" ] && { best=$id; bestArea=$area; }
  done
  [ -n "$best" ] && echo "$best"
}
# grep reads to the end (no -q): xwininfo cut short would fail a pipefail
# pipeline.
zx_window_made() { xwininfo -root -tree 2>/dev/null | grep -F "\"$1\":" >/dev/null; }
# zx_started_or_ended <pid>: the program ended, or is done with start-up
# (the shadow is the last window start-up makes).
zx_started_or_ended() { ! kill -0 "$1" 2>/dev/null || zx_window_made ShadowForm; }

# "x y width height" of X window $1 on the screen.
zx_window_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}

# zx_wait <seconds> <command...>: true once the command succeeds in time.
zx_wait() {
  local limit=$1 i
  shift
  for i in $(seq 1 $((limit * 2))); do
    "$@" && return 0
    sleep 0.5
  done
  return 1
}

# The screen grabber (scripts/screen-grab.c), built into build/ when missing
# or older than its source; ZX_SCREEN_GRAB names it. It reads an area of the
# display for a fifth of the CPU of an ImageMagick import.
zx_build_screen_grab() {
  ZX_SCREEN_GRAB=$ZX_ROOT/build/screen-grab
  local source=$ZX_ROOT/scripts/screen-grab.c
  if [ ! -x "$ZX_SCREEN_GRAB" ] || [ "$source" -nt "$ZX_SCREEN_GRAB" ]; then
    gcc -O2 -Wall -o "$ZX_SCREEN_GRAB.$$" "$source" -lX11 && mv -f "$ZX_SCREEN_GRAB.$$" "$ZX_SCREEN_GRAB"
  fi
}

# zx_screenshot_steady <x> <y> <width> <height> <file.png>: the screen cut to
# that area once two shots in a row are the same (at most about 10 s).
# Read from the screen rather than from the window itself: a layered
# window's own pixels may come back black. Needs zx_build_screen_grab.
zx_screenshot_steady() {
  local previous shot i
  previous=$(mktemp --suffix=.ppm)
  shot=$(mktemp --suffix=.ppm)
  "$ZX_SCREEN_GRAB" "$1" "$2" "$3" "$4" "$previous"
  for i in $(seq 1 30); do
    sleep 0.3
    "$ZX_SCREEN_GRAB" "$1" "$2" "$3" "$4" "$shot"
    cmp -s "$previous" "$shot" && break
    cp "$shot" "$previous"
  done
  convert "$shot" "$5"
  rm -f "$previous" "$shot"
}

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

# zx_screenshot_steady <x> <y> <width> <height> <file>: the screen cut to
# that area once two shots in a row are the same (at most about 10 s).
# Read from the screen rather than from the window itself: a layered
# window's own pixels may come back black.
zx_screenshot_steady() {
  local area="$3x$4+$1+$2" file=$5 previous i
  previous=$(mktemp --suffix=.png)
  import -window root -crop "$area" +repage "$previous"
  for i in $(seq 1 30); do
    sleep 0.3
    import -window root -crop "$area" +repage "$file"
    [ "$(compare -metric AE "$previous" "$file" null: 2>&1)" = 0 ] && break
    cp "$file" "$previous"
  done
  rm -f "$previous"
}

# Sourced by scripts/test32.sh: starts the program folder's program as a
# user does (service stand-in, first start into the tray, a second start
# that shows the main window), screenshots the main window and ends it with
# the signature quit. Uses $ZX_WINE, $ZX_DIST, $ZX_OUT and $DISPLAY; times
# are stretched by $ZX_SLOW (1 native, more under the emulator).

source "$(dirname "${BASH_SOURCE[0]}")/../x-windows.sh"

# zx_window_painted <geometry> <png>: screenshots the screen cut to the
# geometry into <png>; true when it is not all black and matches the last one.
zx_window_painted() {
  local previous=$2.previous.png
  [ -f "$2" ] && mv "$2" "$previous"
  import -window root -crop "$1" +repage "$2" || return 1
  [ "$(convert "$2" -format '%[fx:maxima > 0.1 ? 1 : 0]' info: 2>/dev/null)" = 1 ] || return 1
  [ -f "$previous" ] && [ "$(compare -metric AE "$2" "$previous" null: 2>&1)" = 0 ] && rm -f "$previous"
}

# zx_show_program <folder>: writes <folder>/screenshot.png and
# <folder>/geometry; prints one "step seconds" line per step to
# <folder>/steps. False with a reason on stderr when a step fails.
zx_show_program() {
  local out=$1 slow=${ZX_SLOW:-1} start app attempt window
  mkdir -p "$out"
  rm -f "$out/screenshot.png" "$out/geometry" "$out/steps"
  (cd "$ZX_DIST" && exec "$ZX_WINE" ZxSystemControlService.exe) >/dev/null 2>&1 </dev/null &
  ZX_STARTED_PIDS+=("$!")

  # Start-up is retried once: under the emulator Wine's own processes
  # sometimes die while a program starts.
  for attempt in 1 2; do
    start=$(zx_now)
    (cd "$ZX_DIST" && exec "$ZX_WINE" Zendrix.exe) >"$out/zendrix.log" 2>&1 </dev/null &
    app=$!
    ZX_STARTED_PIDS+=("$app")
    zx_wait $((30 * slow)) zx_started_or_ended "$app"
    if kill -0 "$app" 2>/dev/null && zx_window_made ShadowForm; then break; fi
    echo "program: start-up $attempt did not reach the tray" >&2
    kill -KILL "$app" 2>/dev/null || true
    [ "$attempt" = 2 ] && return 1
  done
  echo "start_into_tray $(zx_since "$start")" >>"$out/steps"

  # The second start is a start too: on a loaded machine the emulated
  # process may not get as far as asking the first one to show its window.
  for attempt in 1 2; do
    start=$(zx_now)
    (cd "$ZX_DIST" && exec "$ZX_WINE" Zendrix.exe) >/dev/null 2>&1 </dev/null &
    ZX_STARTED_PIDS+=("$!")
    zx_wait $((30 * slow)) zx_viewable_window Zendrix >/dev/null && break
    echo "program: second start $attempt did not show the main window" >&2
    [ "$attempt" = 2 ] && return 1
  done
  echo "second_start_shows $(zx_since "$start")" >>"$out/steps"

  sleep $((1 * slow))
  window=$(zx_viewable_window Zendrix)
  zx_window_geometry "$window" >"$out/geometry"
  # The screen as the user sees it, cut to the window: read from the window
  # itself, a layered window's pixels may come back black. Under a slow
  # emulator the window may map before it is painted: taken once it shows
  # more than black and has stopped changing.
  local x y w h
  read -r x y w h <"$out/geometry"
  zx_wait $((15 * slow)) zx_window_painted "${w}x${h}+${x}+${y}" "$out/screenshot.png" ||
    echo "program: the main window did not settle painted; the last screenshot is kept" >&2

  start=$(zx_now)
  if ! "$ZX_WINE" "$ZX_OUT/tests/zx_signature_quit.exe" </dev/null >/dev/null 2>&1; then
    echo "program: no main window took the signature quit" >&2
    return 1
  fi
  if ! zx_wait $((20 * slow)) bash -c "! kill -0 $app 2>/dev/null"; then
    echo "program: the signature quit did not end it within $((20 * slow)) s" >&2
    return 1
  fi
  echo "signature_quit_ends $(zx_since "$start")" >>"$out/steps"
}

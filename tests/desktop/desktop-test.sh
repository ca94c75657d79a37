#!/usr/bin/env bash
# The program on a desktop as users have it: a window manager (openbox) and
# an XEmbed tray (trayer) on a display of its own, Wine handing its windows
# to the manager (Managed=Y). The icon must dock into the tray, a double
# click on it must open the main window, and the main window with its drop
# shadow, its Save Profile dialog and the monitor must show their skinned
# faces: all but the monitor (whose movie moves) are compared with the same
# faces on a bare display with unmanaged windows (as every other test runs),
# which runs beside it.
# Alt+F4 then sends the window to the tray, and the signature quit ends the
# program and takes its icon out of the tray.
#
# Usage: desktop-test.sh <win32|win64> <program folder> <test programs folder>
# Keeps its screenshots in build/desktop-test/ (desktop/ and unmanaged/).
set -uo pipefail
ZX_ARCH=$1
dist=$2
tests=$3
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
source "$scripts/wine-env.sh"
source "$scripts/x-windows.sh"
ZX_DIST=$dist
work=$ZX_ROOT/build/desktop-test
# The Save Profile button's middle in the main window (ZendrixLayout's
# kSaveProfileAt and the text button's size).
save_profile_x=355
save_profile_y=67
# The dialog's Cancel button's middle in the dialog (Dovrel's Director).
cancel_x=345
cancel_y=165

for tool in openbox trayer xdotool; do
  command -v "$tool" >/dev/null || { echo "desktop: $tool is missing (scripts/setup.sh installs it)"; exit 1; }
done
[ -f "$WINEPREFIX/system.reg" ] || zx_with_prefix_lock zx_ensure_prefix
zx_build_screen_grab || { echo "desktop: the screen grabber did not build (gcc, libx11-dev)"; exit 1; }

# What the screen held, kept beside the run's pictures.
fail() {
  echo "desktop: $mode: FAILED: $*"
  xwininfo -root -tree >"$out/failure-windows.txt" 2>&1
  import -window root "$out/failure.png" 2>/dev/null
  exit 1
}

manager_runs() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep 'window id' >/dev/null; }
# The X window of the panel trayer shows its icons in.
tray_panel() {
  # awk reads to the end: xwininfo cut short would fail the pipeline.
  xwininfo -root -tree 2>/dev/null | awk '!found && /"panel": \("panel" "trayer"\)/ { print $1; found = 1 } END { exit !found }'
}

# The docked icon's middle ("x y"): the tray icon window Wine's explorer
# embeds in the panel.
docked_icon() {
  local panel
  panel=$(tray_panel) || return 1
  xwininfo -id "$panel" -tree 2>/dev/null | awk '!found && /"explorer.exe"/ { split($NF, p, "+"); split($(NF-1), s, "[x+]");
    print p[2] + int(s[1] / 2), p[3] + int(s[2] / 2); found = 1 } END { exit !found }'
}

# The window titled $1 cut from the screen once steady, as <out>/$2.png and
# its place as <out>/$2.geometry.
shoot() {
  local window geometry
  window=$(zx_viewable_window "$1") || return 1
  geometry=$(zx_window_geometry "$window")
  echo "$geometry" >"$out/$2.geometry"
  # shellcheck disable=SC2086
  zx_screenshot_steady $geometry "$out/$2.png"
}

shown() { [ -n "$(zx_viewable_window "$1")" ]; }
gone() { ! shown "$1"; }
icon_gone() { ! docked_icon >/dev/null; }
# Docked and drawn: more than the tray's own background colour shows there.
icon_ready() {
  local place x y
  place=$(docked_icon) || return 1
  read -r x y <<<"$place"
  [ "$("$ZX_SCREEN_GRAB" --colours $((x - 8)) $((y - 8)) 16 16 2>/dev/null)" -gt 2 ]
}
ended() { ! kill -0 "$1" 2>/dev/null; }

# True when nine in ten of the picture's pixels are black: a face that did
# not show (the skin's darkest parts are grey).
mostly_black() {
  [ "$(convert "$1" -colorspace Gray -threshold 2% -format '%[fx:mean < 0.1]' info:)" = 1 ]
}

end_run() {
  local pid
  WINEPREFIX=$own "$ZX_WINESERVER" -k 2>/dev/null
  WINEPREFIX=$own "$ZX_WINESERVER" -w 2>/dev/null
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  [ -n "$ZX_DISPLAY_PID" ] && kill "$ZX_DISPLAY_PID" 2>/dev/null
  rm -rf "$own"
}

# A dock along the bottom whose strut leaves the work area above it. Its
# width is fixed, room for the one icon: Wine takes the geometry of the
# tray's windows once, when the icon docks, and never updates it, so a tray
# that grows to make room for the icon (trayer's --widthtype request) leaves
# Wine clipping the icon to the tray's old width: the icon then stays blank
# and takes no clicks.
start_tray() {
  HOME=$out trayer --edge bottom --align right --widthtype pixel --width 32 --height 32 --SetDockType true \
    --SetPartialStrut true >>"$out/trayer.log" 2>&1 &
  pids+=($!)
  zx_wait 10 tray_panel >/dev/null || fail "trayer did not start"
}

# run <desktop|unmanaged>: one program's run, its pictures in $work/<mode>.
run() {
  mode=$1
  out=$work/$mode
  rm -rf "$out"
  mkdir -p "$out"
  local app start
  # Global: the run's end (at the subshell's exit) ends what it started.
  own=$(mktemp -d "$out/prefix.XXXXXX")
  pids=()
  ZX_DISPLAY_PID=
  trap end_run EXIT
  zx_copy_prefix "$own"
  export WINEPREFIX=$own
  zx_start_display 1280x1024 || fail "no display"
  # A coloured desktop: a window's black is then told from the desktop's.
  convert -size 8x8 xc:'#6080a0' "$out/desktop.png" && display -window root "$out/desktop.png"

  start=$(zx_now)
  local managed=N
  if [ "$mode" = desktop ]; then
    managed=Y
    # The window manager's own files stay in the run's folder.
    HOME=$out XDG_CONFIG_HOME=$out/config XDG_CACHE_HOME=$out/cache openbox --sm-disable >"$out/openbox.log" 2>&1 &
    pids+=($!)
    zx_wait 10 manager_runs || fail "openbox did not start"
    start_tray
  fi
  "$ZX_WINESERVER" -p >/dev/null 2>&1 </dev/null
  "$ZX_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f >/dev/null 2>&1 </dev/null
  # The prefix's system processes (the tray among them) with their output
  # going nowhere.
  "$ZX_WINE" cmd /c exit >/dev/null 2>&1 </dev/null

  # The simulated board's files are the run's own.
  cp "$dist/KyAcpiBoard.ini" "$out/"
  export KYACPI_BOARD
  KYACPI_BOARD=$(zx_windows_path "$out/KyAcpiBoard.ini")
  (cd "$dist" && exec "$ZX_WINE" ZxSystemControlService.exe) >/dev/null 2>&1 </dev/null &
  pids+=($!)
  (cd "$dist" && exec "$ZX_WINE" Zendrix.exe) >"$out/zendrix.log" 2>&1 </dev/null &
  app=$!
  pids+=("$app")
  zx_wait 60 zx_started_or_ended "$app" || fail "start-up did not end within 60 s"
  ended "$app" && fail "Zendrix.exe ended during start-up"
  # The monitor is shown at the end of start-up, after the tray icon.
  zx_wait 30 shown "Turbo Info Main" || fail "the monitor window did not show"
  if [ "$mode" = desktop ] && ! zx_wait 20 icon_ready; then
    xwininfo -root -tree >"$out/blank-icon-windows.txt" 2>&1
    import -window root "$out/blank-icon.png" 2>/dev/null
    fail "the docked icon stayed blank"
  fi
  echo "desktop: $mode: started into the tray in $(zx_since "$start") s"

  start=$(zx_now)
  if [ "$mode" = desktop ]; then
    # The place is asked again before each try: an icon may be docked
    # afresh.
    local attempt place x= y=
    for attempt in 1 2 3; do
      zx_wait 30 docked_icon >/dev/null || fail "the icon is not docked in the tray"
      place=$(docked_icon) || continue
      read -r x y <<<"$place"
      xdotool mousemove "$x" "$y" sleep 0.3 click --repeat 2 --delay 80 1
      zx_wait 8 shown Zendrix && break
      [ "$attempt" = 3 ] && fail "three double clicks on the docked icon (last at $x,$y) opened no window"
    done
    echo "desktop: $mode: icon docked at $x,$y; the double click opened the window in $(zx_since "$start") s"
  else
    (cd "$dist" && exec "$ZX_WINE" Zendrix.exe) >/dev/null 2>&1 </dev/null
    zx_wait 20 shown Zendrix || fail "the second start opened no window"
    echo "desktop: $mode: the second start opened the window in $(zx_since "$start") s"
  fi
  shoot Zendrix screenshot || fail "no main window to screenshot"
  mv "$out/screenshot.geometry" "$out/geometry"
  mostly_black "$out/screenshot.png" && fail "the main window shows black"
  # The shadow's whole area: its band beside the window included.
  shoot ShadowForm shadow || fail "no shadow to screenshot"
  shoot "Turbo Info Main" monitor || fail "the monitor window is not shown"
  mostly_black "$out/monitor.png" && fail "the monitor window shows black"

  local left top width height
  read -r left top width height <"$out/geometry"
  xdotool mousemove $((left + save_profile_x)) $((top + save_profile_y)) click 1
  zx_wait 10 shown "Save Profile" || fail "Save Profile opened no dialog"
  shoot "Save Profile" dialog || fail "no dialog to screenshot"
  read -r left top width height <"$out/dialog.geometry"
  xdotool mousemove $((left + cancel_x)) $((top + cancel_y)) click 1
  zx_wait 10 gone "Save Profile" || fail "Cancel did not close the Save Profile dialog"

  # Sent to the tray: the window and its shadow leave the screen, the
  # program stays.
  xdotool key alt+F4
  zx_wait 10 gone Zendrix || fail "Alt+F4 did not send the window to the tray"
  zx_wait 10 gone ShadowForm || fail "the shadow stayed on the screen"
  sleep 0.5
  ended "$app" && fail "Alt+F4 ended the program"
  if [ "$mode" = desktop ]; then
    # Opening the window shows the icon afresh (the tray docks it again).
    zx_wait 10 docked_icon >/dev/null || fail "the icon left the tray with the window"
  fi

  start=$(zx_now)
  "$ZX_WINE" "$tests/zx_signature_quit.exe" >/dev/null 2>&1 </dev/null || fail "no main window took the signature quit"
  zx_wait 20 ended "$app" || fail "the signature quit did not end the program within 20 s"
  if [ "$mode" = desktop ]; then
    zx_wait 10 icon_gone || fail "the icon stayed in the tray"
  fi
  echo "desktop: $mode: the signature quit ended it in $(zx_since "$start") s"
}

total=$(zx_now)
mkdir -p "$work"
(run unmanaged) >"$work/unmanaged.log" 2>&1 &
unmanaged=$!
(run desktop) >"$work/desktop.log" 2>&1 &
desktop=$!
wait "$unmanaged"
unmanaged_result=$?
wait "$desktop"
desktop_result=$?
cat "$work/unmanaged.log" "$work/desktop.log"
[ "$unmanaged_result" = 0 ] && [ "$desktop_result" = 0 ] || exit 1

result=0
for picture in screenshot.png shadow.png dialog.png; do
  "$(command -v /usr/bin/python3 || command -v python3)" "$scripts/compare-windows.py" "$work/unmanaged" "$work/desktop" unmanaged desktop "$picture" || result=1
done
echo "desktop: $([ "$result" = 0 ] && echo passed || echo FAILED) in $(zx_since "$total") s (pictures in ${work#$ZX_ROOT/})"
exit "$result"

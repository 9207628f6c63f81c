# Sourced by the X11 tests: a private virtual display with a window manager, a private
# home and runtime folder, and a private copy of the program folder.
#   x11_start PROGRAM_DIR   sets DISPLAY, HOME, XDG_*, PROG (the copied program folder)
#   x11_stop                ends everything started here

x11_start() {
  TMP=$(mktemp -d)
  mkdir -p "$TMP/home/Desktop" "$TMP/home/Documents" "$TMP/config" "$TMP/data" "$TMP/cache" \
           "$TMP/run" "$TMP/bin" "$TMP/share"
  chmod 700 "$TMP/run"
  cp -r "$1" "$TMP/prog"
  PROG=$TMP/prog
  # Xvfb picks a free display number itself and reports it on the descriptor.
  exec 5>"$TMP/display"
  Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$TMP/display" ] && break; sleep 0.05; done
  export DISPLAY=:$(cat "$TMP/display")
  openbox >/dev/null 2>&1 &
  WM_PID=$!
  for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.05; done
  sleep 0.5 # the check window comes before the manager is ready for new windows
  # The window manager keeps the machine's own configuration; the program gets a new
  # user's folders, so that what it writes can be checked and nothing real is touched.
  export HOME=$TMP/home XDG_CONFIG_HOME=$TMP/config XDG_DATA_HOME=$TMP/data XDG_CACHE_HOME=$TMP/cache \
         XDG_RUNTIME_DIR=$TMP/run XDG_DATA_DIRS=$TMP/share XDG_CONFIG_DIRS=$TMP/config-dirs
  unset XDG_CURRENT_DESKTOP
}

x11_stop() {
  [ -n "${BAR_PID:-}" ] && kill -9 "$BAR_PID" 2>/dev/null
  kill "$WM_PID" "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$TMP"
}

# wait_for_window NAME: prints the id of the first window with exactly that name.
wait_for_window() {
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}

# window_geometry ID: sets WX, WY (the client's top-left on the screen), WW and WH.
window_geometry() {
  info=$(xwininfo -id "$1")
  WX=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
  WY=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
  WW=$(echo "$info" | sed -n 's/.*Width: *//p')
  WH=$(echo "$info" | sed -n 's/.*Height: *//p')
}

# point_at_hint BAR_ID HINT: moves the pointer along the middle of the bar until a
# button shows HINT (the hint window is named after its text); fails when none does.
point_at_hint() {
  window_geometry "$1"
  x=0
  while [ "$x" -lt "$WW" ]; do
    xdotool mousemove $((WX + x)) $((WY + WH / 2))
    sleep 0.08
    xdotool search --onlyvisible --name "^$2( — .*)?\$" >/dev/null 2>&1 && return 0
    x=$((x + 6))
  done
  return 1
}

fail() { echo "FAIL: $*" >&2; x11_stop; exit 1; }

# screenshot NAME: keeps a picture of the screen beside the test results.
screenshot() { import -window root "$SCREENSHOT_DIR/$1.png" 2>/dev/null || true; }

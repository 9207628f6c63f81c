# Sourced by the X11 tests: a private virtual display with a window manager, a private
# home and runtime folder, and a private copy of the program folder.
#   x11_start PROGRAM_DIR [WxH]   sets DISPLAY, HOME, XDG_*, PROG (the copied program
#                                 folder); the screen is 1280x800 unless given
#   x11_stop                ends everything started here; fails the test when a
#                           sanitizer build of the program reported an error

x11_start() {
  TMP=$(mktemp -d)
  mkdir -p "$TMP/home/Desktop" "$TMP/home/Documents" "$TMP/config" "$TMP/data" "$TMP/cache" \
           "$TMP/run" "$TMP/bin" "$TMP/share"
  chmod 700 "$TMP/run"
  cp -r "$1" "$TMP/prog"
  PROG=$TMP/prog
  # Xvfb picks a free display number itself and reports it on the descriptor.
  exec 5>"$TMP/display"
  Xvfb -displayfd 5 -screen 0 "${2:-1280x800}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
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
  # No session bus, as on a bare X session, but said outright: left unset, the bus library
  # forks to look for a bus launcher at the first accessible text, and a fork of a
  # many-threaded sanitizer build can stall in its allocator before it ever runs anything.
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$TMP/run/no-session-bus"
  # A sanitizer build reports into files that x11_stop looks at; leaks of the toolkit's
  # own at exit are no fault of the program.
  mkdir -p "$TMP/sanitizer"
  export ASAN_OPTIONS="log_path=$TMP/sanitizer/asan:detect_leaks=0:abort_on_error=1" \
         UBSAN_OPTIONS="log_path=$TMP/sanitizer/ubsan:print_stacktrace=1:halt_on_error=1"
}

x11_stop() {
  [ -n "${BAR_PID:-}" ] && kill -9 "$BAR_PID" 2>/dev/null
  kill "$WM_PID" "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  reports=$(ls "$TMP"/sanitizer/* 2>/dev/null)
  if [ -n "$reports" ]; then
    cat $reports >&2
    rm -rf "$TMP"
    echo "FAIL: the sanitizer reported an error" >&2
    exit 1
  fi
  rm -rf "$TMP"
}

# wait_for_window NAME: prints the id of the first visible window with exactly that name (a
# pattern; waits up to half a minute: a sanitizer build on a busy machine starts slowly).
wait_for_window() {
  for _ in $(seq 600); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}

# xdnd_drag_to X Y PATH...: starts dragging the paths from a new window of the drag source
# program ($SOURCE) and brings them to the screen point X Y, the button still held.
xdnd_drag_to() {
  tx=$1; ty=$2; shift 2
  "$SOURCE" "$@" > "$TMP/drag-result" &
  src_pid=$!
  src=$(wait_for_window drag-source) || fail "the drag source did not appear"
  xdotool windowmove --sync "$src" 900 560
  sleep 0.3
  window_geometry "$src"
  sx=$((WX + WW / 2)); sy=$((WY + WH / 2))
  xdotool mousemove "$sx" "$sy"
  sleep 0.2
  xdotool mousedown 1
  # Small steps first, so the drag starts, then on to the target.
  for step in 5 10 20 40; do xdotool mousemove $((sx - step)) "$sy"; sleep 0.05; done
  for step in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove $((sx + (tx - sx) * step / 10)) $((sy + (ty - sy) * step / 10))
    sleep 0.05
  done
  xdotool mousemove "$tx" "$ty"; sleep 0.2
  xdotool mousemove $((tx + 1)) "$ty"; sleep 0.3
}

# xdnd_release: lets the button go; prints what the drag source was told.
xdnd_release() {
  xdotool mouseup 1
  for _ in $(seq 100); do [ -s "$TMP/drag-result" ] && break; sleep 0.05; done
  wait "$src_pid" 2>/dev/null
  cat "$TMP/drag-result"
}

# xdnd_drop X Y PATH...: drags the paths to the screen point X Y and drops them there;
# prints what the drag source was told.
xdnd_drop() {
  xdnd_drag_to "$@"
  xdnd_release
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
# Leaves the pointer there, at `button_x` and `button_y`.
point_at_hint() {
  window_geometry "$1"
  button_y=$((WY + WH / 2))
  x=0
  while [ "$x" -lt "$WW" ]; do
    button_x=$((WX + x))
    xdotool mousemove "$button_x" "$button_y"
    sleep 0.08
    xdotool search --onlyvisible --name "^$2\$" >/dev/null 2>&1 && return 0
    x=$((x + 6))
  done
  return 1
}

fail() { echo "FAIL: $*" >&2; x11_stop; exit 1; }

# screenshot NAME: keeps a picture of the screen beside the test results.
screenshot() { import -window root "$SCREENSHOT_DIR/$1.png" 2>/dev/null || true; }

# write_settings FLOATING HIDE [STAY [OPTIONS]]: a user who has run the bar before, with
# the bar at that place, 600 wide when floating at (100, 100); OPTIONS are more lines of
# the Options key.
write_settings() {
  mkdir -p "$XDG_CONFIG_HOME/parvo"
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo]\n"FirstLoad"=dword:00000000\n"Floating"=dword:%08x\n"Szer"=dword:00000258\n"Lewa"=dword:00000064\n"Gora"=dword:00000064\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo\\Options]\n"Hide"=dword:%08x\n"Stay"=dword:%08x\n%s' \
    "$1" "$2" "${3:-0}" "${4:-}" > "$XDG_CONFIG_HOME/parvo/registry.reg"
}

# start_bar [PROGRAM]: starts the bar and sets `bar` to its window.
start_bar() {
  "$PROG/${1:-parvo}" &
  BAR_PID=$!
  bar=$(wait_for_window Parvo) || fail "the bar did not appear"
  sleep 0.7
}

stop_bar() {
  kill -TERM "$BAR_PID"
  for _ in $(seq 100); do kill -0 "$BAR_PID" 2>/dev/null || break; sleep 0.05; done
  kill -0 "$BAR_PID" 2>/dev/null && fail "the bar did not end"
  BAR_PID=
}

# place WINDOW: "x y width height" of the window inside its frame.
place() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}

# expect_place WINDOW "x y width height" WHAT (waits a while: the machine may be busy)
expect_place() {
  for _ in $(seq 100); do [ "$(place "$1")" = "$2" ] && return 0; sleep 0.05; done
  fail "$3: the window is at $(place "$1"), not $2"
}

work_area() { xprop -root _NET_WORKAREA | sed 's/.*= //' | cut -d, -f1-4; }

# expect_work_area "x, y, width, height" WHAT
expect_work_area() {
  for _ in $(seq 100); do [ "$(work_area)" = "$1" ] && return 0; sleep 0.05; done
  fail "$2: the work area is $(work_area), not $1"
}

# expect_strut WINDOW "twelve, numbers" WHAT
expect_strut() {
  for _ in $(seq 100); do
    xprop -id "$1" _NET_WM_STRUT_PARTIAL | grep -qF "= $2" && return 0
    sleep 0.05
  done
  fail "$3: $(xprop -id "$1" _NET_WM_STRUT_PARTIAL)"
}

# expect_saved 'REGISTRY LINE' WHAT: the line turns up in the registry file soon.
expect_saved() {
  for _ in $(seq 60); do grep -qF "$1" "$XDG_CONFIG_HOME/parvo/registry.reg" && return 0; sleep 0.05; done
  fail "$2: $(grep -E 'Floating|Lewa|Gora|Szer' "$XDG_CONFIG_HOME/parvo/registry.reg" | tr '\n' ' ')"
}

# drag FROM_X FROM_Y X,Y...: presses the first button at FROM and moves through the
# points, then lets go.
drag() {
  xdotool mousemove "$1" "$2" mousedown 1
  shift 2
  for p in "$@"; do xdotool mousemove "${p%,*}" "${p#*,}"; sleep 0.1; done
  xdotool mouseup 1
}


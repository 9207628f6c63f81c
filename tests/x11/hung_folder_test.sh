#!/bin/sh
# A folder that never answers (a network mount whose server is gone, reached through a
# symbolic link in a local folder) never freezes the bar: its sub-menu opens with a
# "being read" item, the bar's event loop keeps answering within 50 ms, Escape and other
# menus work, and the bar still ends cleanly while the read hangs in the kernel.
# The hung file system is mounted in a private mount namespace; where the test may not
# make one, it is skipped.
# usage: hung_folder_test.sh PROGRAM_DIR SCREENSHOT_DIR HUNG_MOUNT EVENT_LOOP_PING
set -u
if [ "${PARVO_IN_NAMESPACE:-}" != 1 ]; then
  [ -c /dev/fuse ] || { echo "SKIP: no /dev/fuse to mount a file system that never answers"; exit 77; }
  if [ "$(id -u)" = 0 ]; then ns="unshare --mount"; else ns="unshare --map-root-user --mount"; fi
  $ns true 2>/dev/null || { echo "SKIP: a private mount namespace is not allowed here"; exit 77; }
  PARVO_IN_NAMESPACE=1 exec $ns "$0" "$@"
fi
SCREENSHOT_DIR=$2
HUNG_MOUNT=$3
PING=$4
mkdir -p "$SCREENSHOT_DIR"
. "$(dirname "$0")/x11_session.sh"
x11_start "$1"

# The server of the mount goes away first, so that nothing is left hanging on it.
HUNG_PID=
release_mount() {
  [ -n "$HUNG_PID" ] && kill -9 "$HUNG_PID" 2>/dev/null
  wait "$HUNG_PID" 2>/dev/null
  umount -l "$TMP/net" 2>/dev/null
  HUNG_PID=
}
fail() { echo "FAIL: $*" >&2; screenshot hung-failed; release_mount; x11_stop; exit 1; }

mkdir -p "$TMP/net" "$TMP/prova"
"$HUNG_MOUNT" "$TMP/net" > "$TMP/hung.out" 2>&1 &
HUNG_PID=$!
for _ in $(seq 100); do grep -q ready "$TMP/hung.out" 2>/dev/null && break; sleep 0.05; done
if ! grep -q ready "$TMP/hung.out"; then
  echo "SKIP: the hung file system cannot be mounted here: $(cat "$TMP/hung.out")"
  release_mount; x11_stop; exit 77
fi
ln -s "$TMP/net" "$TMP/prova/rete"
touch "$TMP/prova/nota.txt"
top=$(basename "$TMP")

"$PROG/parvo" &
BAR_PID=$!
bar=$(wait_for_window Parvo) || fail "the bar window did not appear"
sleep 0.5
socket="$XDG_RUNTIME_DIR/parvo-$(printf %s "$DISPLAY" | sed 's/^:/_/; s/\..*$//').socket"
[ -S "$socket" ] || fail "no instance socket at $socket"
info=$(xwininfo -id "$bar")
bar_x=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
bar_y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
bar_w=$(echo "$info" | sed -n 's/.*Width: *//p')
bar_h=$(echo "$info" | sed -n 's/.*Height: *//p')

gone() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.05
  done
  return 1
}

hint="$(printf 'Disco: /')"
found=
x=0
while [ "$x" -lt "$bar_w" ]; do
  xdotool mousemove $((bar_x + x)) $((bar_y + bar_h / 2))
  sleep 0.08
  if xdotool search --onlyvisible --name "^$hint\$" >/dev/null 2>&1; then found=$x; break; fi
  x=$((x + 6))
done
[ -n "$found" ] || fail "no drive button shows the hint \"$hint\""
drive_x=$((bar_x + found))

xdotool click 1
wait_for_window / >/dev/null || fail "the drive menu did not open"
xdotool type --delay 60 tmp
xdotool key Right
wait_for_window /tmp/ >/dev/null || fail "the sub-menu of /tmp/ did not open"
sleep 1.2
xdotool type --delay 60 "$top"
xdotool key Right
wait_for_window "$TMP/" >/dev/null || fail "the sub-menu of $TMP/ did not open"
sleep 1.2
xdotool type --delay 60 prova
xdotool key Right
# Its read hangs on the link: the level opens all the same, with its waiting item.
wait_for_window "$TMP/prova/" >/dev/null || fail "the sub-menu of the folder that hangs did not open"
screenshot hung-reading

ms=$(timeout 10 "$PING" "$socket" 10) || fail "the bar did not answer on its socket"
echo "the event loop answered within $ms ms while the folder read hung"
[ "$ms" -le 50 ] || fail "the event loop took $ms ms to answer while a folder read hung"
sleep 5.5 # the waiting item now says the folder does not answer
screenshot hung-not-answering
ms=$(timeout 10 "$PING" "$socket" 10) || fail "the bar did not answer on its socket"
[ "$ms" -le 50 ] || fail "the event loop took $ms ms to answer while a folder read hung"

# Escape closes the levels one by one; another menu opens meanwhile.
xdotool key Escape
gone "$TMP/prova/" || fail "Escape did not close the level of the folder that hangs"
xdotool key Escape Escape Escape
gone / || fail "Escape did not close the menu"
xdotool mousemove "$drive_x" $((bar_y + bar_h / 2))
sleep 0.2
xdotool click 1
wait_for_window / >/dev/null || fail "the drive menu did not open again while a read hung"
xdotool key Escape
gone / || fail "the drive menu did not close"

# The bar ends cleanly with its reading thread stuck in the kernel.
kill -TERM "$BAR_PID"
for _ in $(seq 100); do kill -0 "$BAR_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$BAR_PID" 2>/dev/null && fail "the bar did not end while a folder read hung"
wait "$BAR_PID"; code=$?; BAR_PID=
[ "$code" = 0 ] || fail "the bar ended with $code"
release_mount
x11_stop
echo "hung folder test passed"

#!/bin/sh
# The real program on a virtual display: "Aiuto" in the main menu opens the help file in
# the viewer window; without the viewer library every request beeps, and the box that
# offers the download page comes back until it is taken once.
# usage: help_test.sh PROGRAM_DIR SCREENSHOT_DIR
set -u
SCREENSHOT_DIR=$2
mkdir -p "$SCREENSHOT_DIR"
. "$(dirname "$0")/x11_session.sh"
x11_start "$1"

# The desktop's opener, recording what it is asked to open.
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >> "%s/opened"\n' "$TMP" > "$TMP/bin/xdg-open"
chmod +x "$TMP/bin/xdg-open"
export PATH="$TMP/bin:$PATH"

start_bar() {
  "$PROG/parvo" &
  BAR_PID=$!
  bar=$(wait_for_window Parvo) || fail "the bar window did not appear"
  sleep 0.5
}

# ask_for_help: "Maggiori informazioni su Parvo..." > "Aiuto" from the logo button.
ask_for_help() {
  window_geometry "$bar"
  xdotool mousemove $((WX + 40)) $((WY + WH / 2))
  sleep 0.3
  xdotool click 1
  sleep 0.6
  # The title line first, then "Maggiori informazioni..." whose sub-menu opens on its
  # first entry, "Informazioni...", and "Aiuto" under it.
  for k in Down Down Right Down Return; do xdotool key $k; sleep 0.4; done
  sleep 0.8
}

# boxes: how many windows titled "Parvo" are up besides the bar.
boxes() {
  n=0
  for w in $(xdotool search --onlyvisible --name '^Parvo$' 2>/dev/null); do
    [ "$w" != "$bar" ] && n=$((n + 1))
  done
  echo $n
}

start_bar
ask_for_help
viewer=$(wait_for_window "Guida di Parvo") || { screenshot help-missing; fail "the help viewer did not open"; }
screenshot help-viewer
ask_for_help
[ "$(xdotool search --onlyvisible --name '^Guida di Parvo$' | wc -l)" = 1 ] || fail "a second viewer window opened"
kill -9 "$BAR_PID"; wait "$BAR_PID" 2>/dev/null

# Without the viewer: Cancel keeps the offer, OK takes it once.
rm "$PROG/HHCtrl.ocx"
start_bar
ask_for_help
[ "$(boxes)" = 1 ] || { screenshot help-nobox; fail "no box about the missing viewer"; }
screenshot help-box
xdotool key Escape; sleep 0.5
[ "$(boxes)" = 0 ] || fail "Cancel did not close the box"
ask_for_help
[ "$(boxes)" = 1 ] || fail "after Cancel the box did not come back"
xdotool key Return; sleep 0.8
grep -q '^http://www.parvo.example/world/parvo/download.php$' "$TMP/opened" 2>/dev/null || fail "OK did not open the download page"
ask_for_help
[ "$(boxes)" = 0 ] || fail "after OK the box came back"
[ "$(wc -l < "$TMP/opened")" = 1 ] || fail "the download page opened more than once"

x11_stop
echo PASS

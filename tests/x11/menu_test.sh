#!/bin/sh
# The real program on a virtual display: a drive button drops the drive's folder menu,
# sub-menus open level by level from the keyboard, and choosing a file starts it.
# usage: menu_test.sh PROGRAM_DIR SCREENSHOT_DIR
set -u
SCREENSHOT_DIR=$2
mkdir -p "$SCREENSHOT_DIR"
. "$(dirname "$0")/x11_session.sh"
x11_start "$1"

# A folder reached from the root drive: /tmp/<private>/prova/ with a sub-folder and a
# script that leaves a mark when it runs.
top=$(basename "$TMP")
mkdir -p "$TMP/prova/Sotto"
printf '#!/bin/sh\ntouch "%s/segnale-ricevuto"\n' "$TMP" > "$TMP/prova/segnale.sh"
chmod +x "$TMP/prova/segnale.sh"

"$PROG/parvo" &
BAR_PID=$!
bar=$(wait_for_window Parvo) || fail "the bar window did not appear"
sleep 0.5

# Find the button of the root drive by its hint.
hint="$(printf 'Disco: /')"
point_at_hint "$bar" "$hint" || fail "no drive button shows the hint \"$hint\""

xdotool click 1
wait_for_window / >/dev/null || { screenshot menu-missing; fail "the drive menu did not open"; }
screenshot menu-drive

# Type-ahead finds a folder by its name inside "[ ... ]"; Right opens its sub-menu.
xdotool type --delay 60 tmp
xdotool key Right
wait_for_window /tmp/ >/dev/null || { screenshot menu-tmp; fail "the sub-menu of /tmp/ did not open"; }
sleep 1.2 # a new search starts after a pause
xdotool type --delay 60 "$top"
xdotool key Right
wait_for_window "$TMP/" >/dev/null || { screenshot menu-private; fail "the sub-menu of $TMP/ did not open"; }
sleep 1.2
xdotool type --delay 60 prova
xdotool key Right
wait_for_window "$TMP/prova/" >/dev/null || { screenshot menu-prova; fail "the sub-menu of prova did not open"; }
screenshot menu-prova
sleep 1.2
xdotool type --delay 60 segnale
xdotool key Return
for _ in $(seq 100); do [ -e "$TMP/segnale-ricevuto" ] && break; sleep 0.05; done
[ -e "$TMP/segnale-ricevuto" ] || fail "choosing segnale.sh did not start it"
sleep 0.3
xdotool search --onlyvisible --name "^/\$" >/dev/null 2>&1 && fail "the menu stayed open after a choice"

x11_stop
echo "menu test passed"

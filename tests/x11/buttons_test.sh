#!/bin/sh
# The bar's buttons with the real program: a right click on a program button opens that
# button's menu, a drive's "Apri" opens the drive (and the strip it rebuilds is safe to
# rebuild: run it from a sanitizer build), a click on another button while a menu is open
# opens that button's menu at once, and a pointer gliding along a folder row opens its
# sub-menu.
# usage: buttons_test.sh PROGRAM_DIR SCREENSHOT_DIR
set -u
SCREENSHOT_DIR=$2
mkdir -p "$SCREENSHOT_DIR"
. "$(dirname "$0")/x11_session.sh"
x11_start "$1"
REG="$XDG_CONFIG_HOME/parvo/registry.reg"

# A text editor for the first run's program button, and a desktop opener that notes
# what it was asked to open.
printf '#!/bin/sh\nexit 0\n' > "$TMP/bin/gnome-text-editor"
printf '#!/bin/sh\necho "$1" >> "%s/opened"\n' "$TMP" > "$TMP/bin/xdg-open"
chmod +x "$TMP/bin/gnome-text-editor" "$TMP/bin/xdg-open"
export PATH="$TMP/bin:$PATH"
mkdir -p "$HOME/Desktop/Progetti"

# The first run makes the program button; then the bar docks at the top and opens
# folders through the desktop.
start_bar
stop_bar
sed -i 's/"Floating"=dword:00000000/"Floating"=dword:00000002/; s/"Explorer"=dword:00000001/"Explorer"=dword:00000002/' "$REG"
start_bar
expect_place "$bar" "0 0 1280 28" "docked top"

# A right click on the program button: its own menu, not the program area's.
point_at_hint "$bar" gnome-text-editor || fail "no program button"
xdotool click 3
wait_for_window "app_$PROG/links/gnome-text-editor.lnk" >/dev/null || {
  screenshot buttons-program-menu
  fail "the program button's menu did not open: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|')"
}
xdotool key Escape
sleep 0.3

# "Apri" from the root drive's menu opens the drive, and the bar lives on.
point_at_hint "$bar" "Disco: /" || fail "no drive button for /"
drive_x=$button_x
xdotool click 3
sleep 0.5
screenshot buttons-drive-menu
xdotool key Down Return
for _ in $(seq 60); do [ -s "$TMP/opened" ] && break; sleep 0.05; done
grep -qx "/" "$TMP/opened" 2>/dev/null || fail "Apri did not open the drive: $(cat "$TMP/opened" 2>/dev/null)"
sleep 0.5
kill -0 "$BAR_PID" 2>/dev/null || fail "the bar ended after Apri"

# With the favourite folders' menu open, one click on the drive button opens the drive's
# menu; a click on the drive button again only closes it.
point_at_hint "$bar" PvCartelle || fail "no favourite-folder button"
folders_x=$button_x
xdotool click 1
wait_for_window PvF >/dev/null || fail "the favourite folders' menu did not open"
xdotool mousemove "$drive_x" "$button_y" click 1
wait_for_window / >/dev/null || { screenshot buttons-pass-through; fail "the click on the drive did not open its menu"; }
xdotool search --onlyvisible --name '^PvF$' >/dev/null 2>&1 && fail "the first menu stayed open"
xdotool click 1
sleep 0.5
xdotool search --onlyvisible --name '^/$' >/dev/null 2>&1 && fail "a click on its own button opened the menu again"

# A pointer gliding along a folder row opens the row's sub-menu.
xdotool mousemove "$folders_x" "$button_y" click 1
wait_for_window PvF >/dev/null || fail "the favourite folders' menu did not open again"
menu=$(xdotool search --onlyvisible --name '^PvF$' | head -n 1)
info=$(xwininfo -id "$menu")
mx=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
my=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
mh=$(echo "$info" | sed -n 's/.*Height: *//p')
opened=
y=4
while [ -z "$opened" ] && [ "$y" -lt "$mh" ]; do
  # Along the row, a pixel every 30 ms for most of a second.
  x=30
  while [ "$x" -lt 55 ]; do
    xdotool mousemove $((mx + x)) $((my + y))
    sleep 0.03
    x=$((x + 1))
  done
  xdotool search --onlyvisible --name "^$HOME/Desktop/\$" >/dev/null 2>&1 && opened=yes
  y=$((y + 6))
done
[ -n "$opened" ] || { screenshot buttons-glide; fail "gliding along the Desktop row did not open its sub-menu"; }
screenshot buttons-glide
xdotool key Escape Escape
stop_bar

x11_stop
echo "buttons test passed"

#!/bin/sh
# The real program on a virtual display, with files dragged from another program (a
# small Qt window of the tests) by the pointer, over XDND: a folder dropped on the free
# part of the favourite-folder list is added to it, a file dropped on a listed folder
# is copied there once the copy dialog is confirmed, empty space of the system folders
# refuses the drag, a file dropped on a drive button asks what to do with it, a file
# dropped on the bar's program area becomes a shortcut and a button, and a drag that
# reaches an auto-hidden bar brings it out until it has gone. The source is never told
# to delete what it dragged.
# usage: drop_test.sh PROGRAM_DIR SCREENSHOT_DIR DRAG_SOURCE
set -u
SCREENSHOT_DIR=$2
SOURCE=$3
mkdir -p "$SCREENSHOT_DIR"
. "$(dirname "$0")/x11_session.sh"
x11_start "$1"

# A wide floating bar, and the favourite-folder window in its details view.
mkdir -p "$XDG_CONFIG_HOME/parvo"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo]\n"Szer"=dword:00000320\n"Lewa"=dword:00000000\n"Gora"=dword:00000028\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo\\Pvfolder]\n"Lewa"=dword:00000064\n"Gora"=dword:000000c8\n"Szer"=dword:000001c2\n"Wys"=dword:0000012c\n"View"=dword:00000003\n' \
  > "$XDG_CONFIG_HOME/parvo/registry.reg"

mkdir -p "$TMP/Lettere"
printf 'da copiare\n' > "$TMP/nota.txt"
printf '#!/bin/sh\n' > "$TMP/strumento.bin"
chmod +x "$TMP/strumento.bin"

"$PROG/parvo" &
BAR_PID=$!
bar=$(wait_for_window Parvo) || fail "the bar window did not appear"
sleep 0.5

# Open the favourite-folder window from the main menu.
window_geometry "$bar"
bar_x=$WX; bar_y=$WY; bar_w=$WW; bar_h=$WH
xdotool mousemove $((bar_x + 45)) $((bar_y + bar_h / 2))
sleep 0.3
xdotool click 1
sleep 0.5
xdotool type --delay 60 PvCart
xdotool key Return
pvf=$(wait_for_window "PvCartelle - \\[ Parvo \\]") || { screenshot drop-no-window; fail "the favourite-folder window did not open"; }
sleep 0.5
window_geometry "$pvf"
pvf_x=$WX; pvf_y=$WY; pvf_h=$WH
screenshot drop-window

# 1. A folder on the free part of the list: the add dialog offers it under its derived name.
result=$(xdnd_drop $((pvf_x + 200)) $((pvf_y + pvf_h - 60)) "$TMP/Lettere")
[ "$result" = move ] && fail "the source was told to delete the folder"
add=$(wait_for_window "Aggiungi una PvCartella\\.\\.\\. \\[ Parvo \\]") || { screenshot drop-no-add; fail "no add dialog for the dropped folder"; }
screenshot drop-add-dialog
xdotool windowactivate --sync "$add" 2>/dev/null
xdotool key Return
sleep 0.5
grep -qF "Lettere [D]|$TMP/Lettere" "$PROG/data/efolder.mke" 2>/dev/null \
  || grep -qF "Lettere [C]|$TMP/Lettere" "$PROG/data/efolder.mke" \
  || { cat "$PROG/data/efolder.mke"; fail "the dropped folder was not added to the list"; }
[ -d "$TMP/Lettere" ] || fail "the dropped folder was moved away"

# 2. A file on the first listed folder (the desktop): the copy / move dialog asks what to
# do with it; OK copies it there.
result=$(xdnd_drop $((pvf_x + 60)) $((pvf_y + 28 + 32)) "$TMP/nota.txt")
[ "$result" = copy ] || fail "the source was told \"$result\", not copy"
copy=$(wait_for_window "GO! --> copia/sposta/comprimi/estrai\.\.\. \[ Parvo \]") \
  || { screenshot drop-no-dialog; fail "no copy / move dialog for the file dropped on a folder"; }
sleep 0.5
screenshot drop-copy-dialog
xdotool windowactivate --sync "$copy" 2>/dev/null
xdotool key Return
for _ in $(seq 100); do [ -f "$HOME/Desktop/nota.txt" ] && break; sleep 0.05; done
cmp -s "$TMP/nota.txt" "$HOME/Desktop/nota.txt" || { screenshot drop-not-copied; fail "the file was not copied to the folder it was dropped on"; }
[ -f "$TMP/nota.txt" ] || fail "the dropped file went away"
sleep 0.3
screenshot drop-copied

# 3. The system folders take files only on their rows: empty space refuses the drag.
xdotool mousemove $((pvf_x + 45)) $((pvf_y + 14)); sleep 0.2; xdotool click 1; sleep 0.5
result=$(xdnd_drop $((pvf_x + 200)) $((pvf_y + pvf_h - 60)) "$TMP/nota.txt")
[ "$result" = none ] || { screenshot drop-system-empty; fail "empty space of the system folders took the drop ($result)"; }
sleep 0.5
xdotool search --onlyvisible --name "^GO! --> copia" >/dev/null 2>&1 && fail "a refused drop opened the copy dialog"

# 4. A file on the first drive button: the copy dialog, which Cancel closes with nothing done.
result=$(xdnd_drop $((bar_x + 360)) $((bar_y + 10)) "$TMP/nota.txt")
[ "$result" = copy ] || fail "the drive button told the source \"$result\", not copy"
copy=$(wait_for_window "GO! --> copia/sposta/comprimi/estrai\.\.\. \[ Parvo \]") \
  || { screenshot drop-drive-no-dialog; fail "no copy / move dialog for the file dropped on a drive"; }
screenshot drop-drive-dialog
xdotool windowactivate --sync "$copy" 2>/dev/null
xdotool key Escape
sleep 0.5
xdotool search --onlyvisible --name "^GO! --> copia" >/dev/null 2>&1 && fail "Escape left the copy dialog open"
[ -f "$TMP/nota.txt" ] || fail "a cancelled drop moved the file"

# 5. A program on the bar's program area: a shortcut and a button.
result=$(xdnd_drop $((bar_x + 540)) $((bar_y + 10)) "$TMP/strumento.bin")
[ "$result" = move ] && fail "the source was told to delete the program"
for _ in $(seq 100); do [ -f "$PROG/links/strumento.lnk" ] && break; sleep 0.05; done
[ -f "$PROG/links/strumento.lnk" ] || { screenshot drop-no-link; fail "no shortcut for the dropped program"; }
lnkinfo "$PROG/links/strumento.lnk" | grep -q "Local path.*: $TMP/strumento.bin" || fail "the shortcut does not lead to the program"
for _ in $(seq 100); do tail -n 1 "$PROG/data/shortcut.mke" | grep -q '^strumento' && break; sleep 0.05; done
tail -n 1 "$PROG/data/shortcut.mke" | grep -q '^strumento' || fail "the program is not the last button in the list"
sleep 0.5
screenshot drop-button
# The new button shows its name when pointed at.
found=
x=$((bar_w - 30))
while [ "$x" -gt 300 ]; do
  xdotool mousemove $((bar_x + x)) $((bar_y + 10))
  sleep 0.08
  if xdotool search --onlyvisible --name "^strumento\$" >/dev/null 2>&1; then found=$x; break; fi
  x=$((x - 11))
done
[ -n "$found" ] || fail "no program button named strumento on the bar"

# 6. An auto-hidden bar at the top: a drag reaching its last two pixels brings it out, and
# it stays out until the drag has left.
kill -TERM "$BAR_PID"
for _ in $(seq 100); do kill -0 "$BAR_PID" 2>/dev/null || break; sleep 0.05; done
BAR_PID=
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo]\n"FirstLoad"=dword:00000000\n"Floating"=dword:00000002\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo\\Options]\n"Hide"=dword:00000001\n' \
  > "$XDG_CONFIG_HOME/parvo/registry.reg"
xdotool mousemove 640 500
"$PROG/parvo" &
BAR_PID=$!
bar=$(wait_for_window Parvo) || fail "the auto-hide bar did not appear"
# top_of_bar: the bar's top edge on the screen (-26 hidden, 0 out).
top_of_bar() { xwininfo -id "$bar" | sed -n 's/.*Absolute upper-left Y: *//p'; }
wait_top() { for _ in $(seq 60); do [ "$(top_of_bar)" = "$1" ] && return 0; sleep 0.05; done; return 1; }
wait_top -26 || fail "the bar is not hidden at the top ($(top_of_bar))"
xdnd_drag_to 640 0 "$TMP/nota.txt"
wait_top 0 || { screenshot drop-autohide; fail "the drag did not bring the hidden bar out ($(top_of_bar))"; }
screenshot drop-autohide-out
sleep 1
[ "$(top_of_bar)" = 0 ] || fail "the bar hid again under the drag"
xdotool mousemove 640 300; sleep 0.2; xdotool mousemove 641 300; sleep 0.2
result=$(xdnd_release)
[ "$result" = none ] || fail "a drop on nothing was taken ($result)"
wait_top -26 || fail "the bar stayed out after the drag left ($(top_of_bar))"

x11_stop
echo "drop test passed"

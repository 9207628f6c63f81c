#!/bin/sh
# The real program on a virtual display: a folder dragged onto the bar's GO! button is
# compressed into a new archive that the command-line tools find sound and complete; the
# archive dragged there in turn is extracted into another folder, byte for byte, with
# its link and permissions; extracting it again asks before replacing a file; a long
# compression cancelled from its progress window leaves nothing in the destination.
# usage: zip_drop_test.sh PROGRAM_DIR SCREENSHOT_DIR DRAG_SOURCE
set -u
SCREENSHOT_DIR=$2
SOURCE=$3
mkdir -p "$SCREENSHOT_DIR"
. "$(dirname "$0")/x11_session.sh"
x11_start "$1"

# A wide floating bar near the top of the screen.
mkdir -p "$XDG_CONFIG_HOME/parvo"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo]\n"Szer"=dword:00000320\n"Lewa"=dword:00000000\n"Gora"=dword:00000028\n' \
  > "$XDG_CONFIG_HOME/parvo/registry.reg"

mkdir -p "$TMP/Lavoro/sub/deeper" "$TMP/Archivi" "$TMP/Estratti"
printf 'una lettera\n' > "$TMP/Lavoro/lettera.txt"
seq 1 20000 > "$TMP/Lavoro/sub/numeri.txt"
head -c 70000 /dev/urandom > "$TMP/Lavoro/sub/deeper/dati.bin"
chmod 640 "$TMP/Lavoro/lettera.txt"
ln -s lettera.txt "$TMP/Lavoro/collegamento"

"$PROG/parvo" &
BAR_PID=$!
bar=$(wait_for_window Parvo) || fail "the bar window did not appear"
sleep 0.5
# The GO! button, found by its hint; the pointer then leaves it.
hint="- GO! --> pagina Web / programma..."
point_at_hint "$bar" "$hint" || fail "no button shows the hint \"$hint\""
go_x=$button_x; go_y=$button_y
xdotool mousemove 5 700; sleep 0.3

# dialog: waits for the copy / move dialog; sets DX, DY to its client's top-left.
dialog() {
  for _ in $(seq 100); do
    dlg=$(xdotool search --onlyvisible --name '^GO! --> copia' 2>/dev/null | head -n 1)
    [ -n "$dlg" ] && break
    sleep 0.05
  done
  [ -n "$dlg" ] || { screenshot zip-drop-no-dialog; fail "no copy / move dialog for the drop"; }
  sleep 0.3
  window_geometry "$dlg"
  DX=$WX; DY=$WY
}

# The third choice, then the destination typed into "Dove?".
third_choice_to() {
  xdotool mousemove $((DX + 108)) $((DY + 112)) click 1; sleep 0.3
}
destination() {
  xdotool mousemove $((DX + 330)) $((DY + 199)) click 1; sleep 0.2
  xdotool key ctrl+a
  xdotool type --delay 30 "$1"
  xdotool key End
}

# 1. Compress: a new archive in the destination, named as typed, lower-cased.
xdnd_drop "$go_x" "$go_y" "$TMP/Lavoro" >/dev/null
dialog
third_choice_to
xdotool key ctrl+a; xdotool type --delay 30 "Pacco"
destination "$TMP/Archivi"
screenshot zip-drop-compress
xdotool key Return
archive="$TMP/Archivi/pacco.zip"
for _ in $(seq 200); do [ -f "$archive" ] && unzip -tq "$archive" >/dev/null 2>&1 && break; sleep 0.1; done
unzip -tq "$archive" >/dev/null || { screenshot zip-drop-no-archive; fail "no sound archive was written"; }
names=$(zipinfo -1 "$archive" | sort | tr '\n' ' ')
[ "$names" = "Lavoro/collegamento Lavoro/lettera.txt Lavoro/sub/deeper/dati.bin Lavoro/sub/numeri.txt " ] \
  || fail "the archive holds: $names"
[ "$(ls -A "$TMP/Archivi")" = pacco.zip ] || fail "more than the archive was left: $(ls -A "$TMP/Archivi")"

# 2. Extract it elsewhere, with its folders.
sleep 0.5
xdnd_drop "$go_x" "$go_y" "$archive" >/dev/null
dialog
third_choice_to
destination "$TMP/Estratti"
xdotool key Return
for _ in $(seq 200); do [ -f "$TMP/Estratti/Lavoro/sub/deeper/dati.bin" ] && break; sleep 0.1; done
sleep 0.5
diff -r --no-dereference "$TMP/Lavoro" "$TMP/Estratti/Lavoro" >/dev/null || fail "the extracted tree differs from the original"
[ "$(readlink "$TMP/Estratti/Lavoro/collegamento")" = lettera.txt ] || fail "the link was not extracted as a link"
[ "$(stat -c %a "$TMP/Estratti/Lavoro/lettera.txt")" = 640 ] || fail "the permissions were not kept"

# 3. Again into the same folder: a file already there is asked about; No keeps it.
printf 'cambiata\n' > "$TMP/Estratti/Lavoro/lettera.txt"
xdnd_drop "$go_x" "$go_y" "$archive" >/dev/null
dialog
third_choice_to
destination "$TMP/Estratti"
xdotool key Return
asked=
for _ in $(seq 100); do
  if xdotool search --onlyvisible --name '^Parvo$' 2>/dev/null | while read -r w; do
       [ "$w" != "$bar" ] && echo "$w"; done | grep -q .; then asked=1; break; fi
  sleep 0.1
done
[ -n "$asked" ] || { screenshot zip-drop-no-question; fail "no question before replacing a file"; }
screenshot zip-drop-question
# Every question answered No (the default button is No for a newer file).
for _ in $(seq 4); do xdotool key n; sleep 0.3; done
sleep 0.5
[ "$(cat "$TMP/Estratti/Lavoro/lettera.txt")" = cambiata ] || fail "a file was replaced though the answer was No"

# 4. A long compression cancelled from its progress window leaves nothing behind.
mkdir -p "$TMP/Grande" "$TMP/Vuota"
for i in 1 2 3; do seq $((i * 10000000)) $((i * 10000000 + 6000000)) > "$TMP/Grande/parte$i.txt"; done
xdnd_drop "$go_x" "$go_y" "$TMP/Grande" >/dev/null
dialog
third_choice_to
xdotool key ctrl+a; xdotool type --delay 30 "grande"
destination "$TMP/Vuota"
xdotool key Return
# The progress window is the only one of its size: 300 x 100.
progress=
for _ in $(seq 100); do
  for w in $(xdotool search --onlyvisible --name '^Parvo$' 2>/dev/null); do
    window_geometry "$w"
    [ "$WW" = 300 ] && [ "$WH" = 100 ] && { progress=$w; break; }
  done
  [ -n "$progress" ] && break
  sleep 0.1
done
[ -n "$progress" ] || { screenshot zip-drop-no-progress; fail "no progress window while compressing"; }
screenshot zip-drop-progress
window_geometry "$progress"
xdotool mousemove $((WX + 150)) $((WY + 72)) click 1
for _ in $(seq 100); do [ -z "$(ls -A "$TMP/Vuota")" ] && break; sleep 0.1; done
sleep 1
[ -z "$(ls -A "$TMP/Vuota")" ] || fail "a cancelled compression left: $(ls -A "$TMP/Vuota")"
xwininfo -id "$progress" 2>/dev/null | grep -q IsViewable && fail "the progress window stayed after Cancel"

x11_stop
echo "zip drop test passed"

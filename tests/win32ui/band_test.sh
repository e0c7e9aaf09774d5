#!/usr/bin/env bash
# The Analysis window's band sheets under Wine with real input: a measured load opened from the
# File menu holds the main window's load edits and names itself in the caption; the Smith
# chart and the load plane; a malformed file refused with its line and column, nothing changed;
# Forget Load File gives the typed values back; a case that names the file holds its load
# again; the file kept in the settings file and a gone file's note at the next start. Screenshots of each band sheet in $OUT.
#   band_test.sh <Zephlane.exe> <zephlane-probe.exe>     (WINE, WINEPREFIX, OUT in the environment)
set -u
EXE=$1
PROBE=$2
OUT="$OUT/band"
source "$(dirname "$0")/gui_lib.sh"
rm -f "$OUT"/*.png "$OUT"/*.s1p "$OUT"/*.zcase
WIN_OUT="Z:$(echo "$OUT" | tr / '\\')"

A_TABS=id10
B_MESSAGE=id340
B_ACTIVE=id341
B_EXTREMES=344
B_LOAD_NAME=id322
rows() { probe rows "Zephlane Analysis" "$1"; }
snap_analysis() { snap "Zephlane Analysis"; }
shot_screen() {
  shots=$((shots + 1))
  import -window root "$(printf '%s/%02d-%s.png' "$OUT" "$shots" "$1")"
}
# Answers an open dialog with a Windows path typed into its file name box.
answer() {
  await "$1" || return 1
  key ctrl+a
  xdotool type --delay 20 "$2"
  key Return
  settle 1.5
}
# A click on the main window's background makes it active (there is no window manager).
main_active() {
  snap "$1"
  xdotool mousemove $(($(window_field 3) + 5)) $(($(window_field 4) + $(field lbAnodeV 4) + 5)) click 1
  settle
}
# An entry of the main window's File menu: Open Load File (l) or Forget Load File (f).
file_menu_of() {
  main_active "$1"
  key alt+f
  key "$2"
}
file_menu() { file_menu_of "Zephlane V" "$1"; }

# 0.3 at 30 degrees across 2.40 .. 2.50 GHz; the sheet takes the first frequency.
printf '! applicator\r\n# GHz S MA R 50\r\n2.40 0.3 30\r\n2.45 0.3 30\r\n2.50 0.3 30\r\n' \
  >"$OUT/applicator.s1p"
printf '# GHz S MA R 50\r\n2.40 0.3 thirty\r\n' >"$OUT/bad.s1p"

rm -f "$SETTINGS"
start "$EXE"
snap
typed_mag=$(text edLoaMag)
typed_pha=$(text edLoaPha)
typed_caption=$(window_field 10)
note "typed load: $typed_mag at $typed_pha; caption '$typed_caption'"

note "Open Load File from the File menu: the main window shows the file's load"
file_menu l
answer "Open Load File" "$WIN_OUT\\applicator.s1p"
await "Zephlane Analysis"
snap "Zephlane V"
expect "load magnitude from the file" "$(text edLoaMag)" "0.3"
expect "load phase from the file" "$(text edLoaPha)" "30"
expect "caption names the file" "$(window_field 10)" "$typed_caption — applicator.s1p at 2.4 GHz"
shot load-held

note "The Band sheet: its inputs, the extremes, the file in use"
snap_analysis
for i in 1 2 3 4 5; do key ctrl+Tab; done
snap_analysis
expect "Ctrl+Tab reaches the band sheet" "$(value $A_TABS)" "5"
expect "the band sheet's load file" "$(text $B_LOAD_NAME)" "applicator.s1p"
expect "the file in use" "$(text $B_ACTIVE)" "Showing applicator.s1p at 2.4 GHz"
expect "no message" "$(text $B_MESSAGE)" ""
expect "the whole file's band" "$(value id304)" "1"
expect "extremes rows" "$(value id$B_EXTREMES)" "7"
expect "extremes name their quantity" "$(rows $B_EXTREMES | head -1 | cut -f1)" "Incident Power"
expect "export buttons on the band sheet" "$(field id20 8)$(field id22 7)" "11"
shot_screen band-sheet

note "The Smith chart and the load plane"
key ctrl+Tab
snap_analysis
expect "Smith chart tab" "$(value $A_TABS)" "6"
expect "Smith chart shown" "$(field id350 8)" "1"
expect "no table to export from the Smith chart" "$(field id22 7)" "0"
shot_screen smith-sheet
key ctrl+Tab
snap_analysis
expect "load plane tab" "$(value $A_TABS)" "7"
expect "map shown" "$(field id362 8)" "1"
expect "map of the absorbed power" "$(value id361)" "0"
shot_screen load-plane-sheet
key ctrl+Tab
snap_analysis
expect "Ctrl+Tab wraps to the first chart" "$(value $A_TABS)" "0"

note "A malformed file: the message names line and column, nothing changes"
file_menu l
answer "Open Load File" "$WIN_OUT\\bad.s1p"
snap_analysis
expect "message names line and column" "$(text $B_MESSAGE | grep -c '^bad.s1p: line 2, column 10: ')" "1"
expect "the file before it stays" "$(text $B_LOAD_NAME)" "applicator.s1p"
snap "Zephlane V"
expect "load magnitude unchanged" "$(text edLoaMag)" "0.3"
expect "caption unchanged" "$(window_field 10)" "$typed_caption — applicator.s1p at 2.4 GHz"

note "Forget Load File gives the typed values back"
file_menu f
snap "Zephlane V"
expect "typed magnitude back" "$(text edLoaMag)" "$typed_mag"
expect "typed phase back" "$(text edLoaPha)" "$typed_pha"
expect "caption without the file" "$(window_field 10)" "$typed_caption"
snap_analysis
expect "the band sheet takes the window's reflection" "$(text $B_LOAD_NAME)" "the window's reflection"

note "A case keeps the load file; opening it holds the file's load again"
file_menu l
answer "Open Load File" "$WIN_OUT\\applicator.s1p"
main_active "Zephlane V"
key ctrl+s
answer "Save Case" "$WIN_OUT\\held"
for i in $(seq 1 20); do
  [ -s "$OUT/held.zcase" ] && break
  sleep 0.25
done
expect "the case names its load file" "$(tr -d '\r' <"$OUT/held.zcase" | grep -c '^LoadFile=applicator.s1p$')" "1"
file_menu_of held f
snap held
expect "typed magnitude after forgetting" "$(text edLoaMag)" "$typed_mag"
key ctrl+o
answer "Open Case" "$WIN_OUT\\held.zcase"
snap held
expect "the case's file holds the load" "$(text edLoaMag)" "0.3"
expect "caption names the case and the file" "$(window_field 10)" \
  "held — $typed_caption — applicator.s1p at 2.4 GHz"
shot_screen case-with-load-file

note "The file is kept for the next start; a file gone by then gives one note"
main_active held
key alt+F4
await_content Confirm 'Terminate Zephlane' && key Return
wait_ended
expect "load file kept" "$(tr -d '\r' <"$SETTINGS" | grep -c 'applicator.s1p')" "1"
start "$EXE"
snap
expect "the kept file holds the load at the start" "$(text edLoaMag)" "0.3"
main_active "Zephlane V"
key alt+F4
await_content Confirm 'Terminate Zephlane' && key Return
wait_ended
rm -f "$OUT/applicator.s1p"
"$WINE" "$EXE" >/dev/null 2>&1 &
APP_PID=$!
if await_content "=Zephlane" 'applicator'; then
  shot_screen gone-file-note
  expect "the note names the gone file" "$(grep -c 'no longer there: .*applicator.s1p' "$OUT/state.txt")" "1"
  key Return
fi
"$WINE" "$PROBE" wait "Zephlane V" 30 >/dev/null 2>&1
settle 1
snap
expect "typed load after the gone file" "$(text edLoaMag)" "$typed_mag"
key alt+F4
await_content Confirm 'Terminate Zephlane' && key Return
wait_ended
rm -f "$SETTINGS"

finish

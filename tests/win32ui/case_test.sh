#!/usr/bin/env bash
# Case files, Copy Results as Numbers and where the dialogs start, in the native window under
# Wine with real input: save a case, change an input, open the case again; a damaged case;
# the numbers on the clipboard; the first dialog in the prefix's Documents folder.
#   case_test.sh <Zephlane.exe> <zephlane-probe.exe>     (WINE, WINEPREFIX, OUT in the environment)
set -u
EXE=$1
PROBE=$2
OUT="$OUT/cases"
source "$(dirname "$0")/gui_lib.sh"
rm -f "$OUT"/*.png "$OUT"/*.zcase
WIN_OUT="Z:$(echo "$OUT" | tr / '\\')"
clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
shot_screen() {
  shots=$((shots + 1))
  import -window root "$(printf '%s/%02d-%s.png' "$OUT" "$shots" "$1")"
}
# Answers an open or save dialog with a Windows path typed into its file name box.
answer() {
  await "$1" || return 1
  key ctrl+a
  xdotool type --delay 20 "$2"
  key Return
  settle 1
  if shown "=$1"; then
    snap "=$1"
    grep -q 'already exists' "$OUT/state.txt" && key Return
  fi
  settle 1
}

rm -f "$SETTINGS"
DOCS="$PROFILE/Documents"
mkdir -p "$DOCS"

note "First Save Case: the dialog starts in the Documents folder"
start "$EXE"
snap
click edAnodeV
retype 5100
key Tab
key ctrl+s
if await "Save Case"; then
  shot_screen save-dialog-in-documents
  expect "save dialog in Documents" "$(grep -c $'\tDocuments' "$OUT/state.txt" | sed 's/^[1-9][0-9]*$/yes/')" "yes"
  expect "suggested name" "$(grep -c 'zephlane-case' "$OUT/state.txt" | sed 's/^[1-9][0-9]*$/yes/')" "yes"
  key Escape
  settle 1
fi

note "A design target in the Analysis window goes into the case too"
# A click on the main window's background makes it active (there is no window manager).
main_active() {
  snap "$1"
  xdotool mousemove $(($(window_field 3) + 5)) $(($(window_field 4) + $(field lbAnodeV 4) + 5)) click 1
  settle
}
# Types a design target into the Analysis window, then closes it (it only hides), so the keys
# go to the main window again.
design_target() {
  key ctrl+shift+a
  await "Zephlane Analysis" || return 1
  click id42
  retype "$1"
  snap "Zephlane Analysis"
  expect "design target typed" "$(text id42)" "$1"
  probe close "Zephlane Analysis"
  settle 1
  main_active "$2"
}
design_target 2.5 "Zephlane V"

note "Save the case; the caption names it"
key ctrl+s
answer "Save Case" "$WIN_OUT\\tuned"
expect "case written with its extension" "$([ -s "$OUT/tuned.zcase" ] && echo yes)" "yes"
expect "anode voltage in the case" "$(tr -d '\r' <"$OUT/tuned.zcase" | grep -c '^edAnodeV=5100$')" "1"
snap "tuned"
shot_screen case-saved
expect "caption names the case" "$(window_field 10)" "tuned — Zephlane V 2.1.0.0"
expect "design target in the case" "$(tr -d '\r' <"$OUT/tuned.zcase" | grep -c '^DesignTarget=2.5$')" "1"

note "Change the inputs, open the case: the values are back"
design_target 7 tuned
snap "tuned"
click edAnodeV
retype 3000
key Tab
snap "tuned"
expect "changed" "$(text edAnodeV)" "3000"
key ctrl+o
if await "Open Case"; then
  # The dialog now starts where the case was saved.
  expect "open dialog in the case's folder" "$(grep -c $'\tcases' "$OUT/state.txt" | sed 's/^[1-9][0-9]*$/yes/')" "yes"
  shot_screen open-dialog
fi
answer "Open Case" "$WIN_OUT\\tuned.zcase"
snap "tuned"
shot_screen case-opened
expect "anode voltage back" "$(text edAnodeV)" "5100"
key ctrl+shift+a
if await "Zephlane Analysis"; then
  shot_screen analysis-after-opening
  expect "design target back" "$(text id42)" "2.5"
  probe close "Zephlane Analysis"
  settle 1
  main_active tuned
fi
snap "tuned"
expect "caption still names the case" "$(window_field 10)" "tuned — Zephlane V 2.1.0.0"

note "The From readings sheet's inputs go into the case and come back from it"
expect "forward reading in the case" "$(tr -d '\r' <"$OUT/tuned.zcase" | grep -c '^ReadingForward=')" "1"
sed -i 's/^ReadingForward=[^\r]*/ReadingForward=1500/' "$OUT/tuned.zcase"
key ctrl+o
answer "Open Case" "$WIN_OUT\\tuned.zcase"
snap "tuned"
key ctrl+shift+a
if await "Zephlane Analysis"; then
  expect "forward reading from the case" "$(text id201)" "1500"
  probe close "Zephlane Analysis"
  settle 1
  main_active tuned
fi

note "A damaged case: the error box, nothing changes"
printf '[Case]\r\nFormat=2\r\n[Zephlane]\r\nedAnodeV=1\r\n' >"$OUT/damaged.zcase"
click edAnodeV
retype 3300
key Tab
key ctrl+o
answer "Open Case" "$WIN_OUT\\damaged.zcase"
if await_content "=Zephlane" 'lacks the input'; then
  shot_screen damaged-case
  expect "error names the case" "$(text id65535 | grep -c 'damaged.zcase')" "1"
  key Return
fi
snap "tuned"
expect "anode voltage as typed" "$(text edAnodeV)" "3300"
expect "caption unchanged" "$(window_field 10)" "tuned — Zephlane V 2.1.0.0"

note "Copy Results as Numbers from the Edit menu"
echo -n stale | xclip -selection clipboard
key alt+d
settle
shot_screen edit-menu
key n
settle 1
expect "numbers on the clipboard" "$(clipboard | head -1 | grep -c 'Incident power (W)')" "1"
expect "full precision, no unit in the cells" "$(clipboard | sed -n 2p | grep -cP '^[-0-9.eE+]+(\t[-0-9.eE+NaInf]*)+$')" "1"

note "The recent cases and the folder are kept in the settings file"
key alt+F4
await_content Confirm 'Terminate Zephlane' && key Return
wait_ended
expect "recent case kept" "$(tr -d '\r' <"$SETTINGS" | grep -c 'tuned.zcase')" "1"
expect "last folder kept" "$(tr -d '\r' <"$SETTINGS" | grep -cF "LastFolder=$WIN_OUT")" "1"
rm -f "$SETTINGS"

finish

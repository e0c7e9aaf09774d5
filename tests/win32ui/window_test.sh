#!/usr/bin/env bash
# The native window under Wine with real input: every scenario drives the window through
# xdotool, reads it back with the probe and keeps a screenshot in $OUT.
#   window_test.sh <Zephlane.exe> <zephlane-probe.exe>     (WINE, WINEPREFIX, OUT in the environment)
set -u
EXE=$1
PROBE=$2
source "$(dirname "$0")/gui_lib.sh"
rm -f "$OUT"/*.png

NOTE_TRANSM='Min & Max values result from all possible phases\r\nof the source and load reflection coefficients,\r\nobtained, e.g., by varying the length of the\r\ninterconnecting waveguide.\r\n\r\nNAN = Not a number (result of 0/0)'
NOTE_POWMEAS='True Values are equal to Actual Values\r\nin the Transmission tabsheet.\r\nMin & Max values result from the finite directivity\r\nof the measurement couplers.\r\n\r\nNAN = Not a number (result of 0/0)'
NOTE_LOADMEAS='Min & Max values result from the finite directivity\r\nof the measurement couplers.\r\nMin & Max values are only meaningful if the Unit=Mag.'

# Shows the note of the active sheet and checks it: a box titled "Zephlane", no icon, OK.
check_note() {
  click bShowNote
  await "=Zephlane"
  expect "note box on $1" "$(window_field 2)" "#32770"
  expect "note text on $1" "$(text id65535)" "$2"
  expect "note box without icon on $1" "$(grep -cP '\ticon\t' "$OUT/state.txt")" "0"
  expect "note box button on $1" "$(text id1)" "OK"
  snap
  shot "note-$1"
  key Return
}

rm -f "$SETTINGS"
chmod -R u+w "$PROFILE/Brevik" 2>/dev/null

# Documents go to the desktop's viewer through the shell; here the viewer of HTML pages is a
# script that notes what it was given.
cat >"$OUT/viewer.sh" <<VIEWER
#!/bin/sh
echo "\$@" >>"$OUT/opened.txt"
VIEWER
chmod +x "$OUT/viewer.sh"
rm -f "$OUT/opened.txt"
"$WINE" reg add 'HKLM\Software\Classes\.htm' /ve /d htmlfile /f >/dev/null 2>&1
"$WINE" reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$OUT/viewer.sh" /f >/dev/null 2>&1

note "First start: no settings file"
start "$EXE"
snap
shot first-start
expect "caption" "$(window_field 10)" "Zephlane V 2.1.0.0"
expect "client size at 96 dpi" "$(window_field 5)x$(window_field 6)" "513x362"
expect "no maximise box" "$(window_field 9)" "0"
expect "focus" "$(focus)" "edAnodeV"
expect "anode voltage" "$(text edAnodeV)" "4350"
expect "transmission sheet" "$(value pcResults)" "0"
expect "transmission sheet shown" "$(field tsTransm 8)" "1"
expect "power meas sheet hidden" "$(field tsPowMeas 8)" "0"
expect "bHelpChm hidden" "$(field bHelpChm 8)" "0"
expect "ideal checked" "$(value chIdeal)" "1"
expect "directivity disabled" "$(field edDire 7)" "0"
expect "page control at the bottom" "$(field pcResults 4)+$(field pcResults 6)" "$(($(window_field 6) - $(field pcResults 6)))+$(field pcResults 6)"
expect "page control full width" "$(field pcResults 3),$(field pcResults 5)" "0,513"
expect_not "power to match shown" "$(text lbPmatch2)" "0"
expect "settings folder made" "$([ -d "$PROFILE/Brevik/Zephlane" ] && echo yes)" "yes"

note "Type 47 into the load phase and press Tab"
before=$(text lbPload2)
click edLoaPha
retype 47
key Tab
snap
shot load-phase-47-tab
expect "load phase" "$(text edLoaPha)" "47"
expect "load phase up-down on its 5-degree grid" "$(value udLoaPha)" "45"
expect "focus after Tab" "$(focus)" "cbLoaMism"
expect_not "absorbed power changed" "$(text lbPload2)" "$before"

note "Enter in an edit: one cycle through Evaluate, the focus stays"
before=$(text lbPmatch2)
click edAnodeV
retype 2500
key Return
snap
shot enter-in-edit
expect "anode voltage" "$(text edAnodeV)" "2500"
expect "focus stays in the edit" "$(focus)" "edAnodeV"
expect_not "power to match changed" "$(text lbPmatch2)" "$before"

note "Shift+Tab goes round to the last tab stop"
key shift+Tab
snap
expect "Shift+Tab from the first stop" "$(focus)" "bTheory"

note "A step that wraps: up from 180 degrees, then down again with the Down key"
click edSrcPha
retype 180
key Tab
snap
expect "source phase" "$(value udSrcPha)" "180"
click udSrcPha "$(($(field udSrcPha 5) / 2))" 4
snap
shot step-wraps
expect "up from 180 wraps" "$(text edSrcPha)" "-180"
expect "up-down wrapped" "$(value udSrcPha)" "-180"
click edSrcPha
key Down
snap
expect "Down key in the edit wraps back" "$(text edSrcPha)" "180"
expect "focus stays" "$(focus)" "edSrcPha"

note "Pick dB for the source magnitude"
click cbSrcRfl
snap
shot source-list-open
key d Return
snap
shot source-db
expect "source representation" "$(value cbSrcRfl)" "1"
expect "source magnitude in dB" "$(text edSrcMag)" "-13.98"

note "Ideal off"
click chIdeal
snap
shot ideal-off
expect "ideal unchecked" "$(value chIdeal)" "0"
expect "directivity enabled" "$(field edDire 7)" "1"
expect "directivity up-down enabled" "$(field udDire 7)" "1"
expect "directivity edit yellow" "$(pixel $(($(field edDire 3) + $(field edDire 5) - 6)) $(($(field edDire 4) + $(field edDire 6) / 2)))" "255,255,0"
expect "input edit yellow" "$(pixel $(($(field edAnodeI 3) + $(field edAnodeI 5) - 6)) $(($(field edAnodeI 4) + $(field edAnodeI 6) / 2)))" "255,255,0"

note "A power unit by a click on its radio button, back by the arrow key"
click "rgPowerUnit[1]"
snap
expect "dBm picked" "$(value "rgPowerUnit[1]")/$(value "rgPowerUnit[0]")" "1/0"
expect "powers in dBm" "$(text pnlPavUnit)" "dBm"
expect "focus on the radio group" "$(focus)" "rgPowerUnit[1]"
shot power-unit-dbm
key Up
snap
expect "Up picks the item above" "$(value "rgPowerUnit[0]")/$(text pnlPavUnit)" "1/W"

note "A tooltip over a button"
snap
xdotool mousemove $(($(window_field 3) + $(field bClose 3) + 10)) $(($(window_field 4) + $(field bClose 4) + 8))
settle 2
shot tooltip-close

note "Alt+E, Alt+H, Alt+C"
before=$(text lbPload2)
key alt+e
snap
expect "Alt+E: Evaluate" "$(focus)" "bEvaluate"
expect "Alt+E: same results" "$(text lbPload2)" "$before"
key alt+h
settle 2
snap
expect "Alt+H: Help (HTML)" "$(focus)" "bHelpHtm"
for i in $(seq 1 50); do
  [ -s "$OUT/opened.txt" ] && break
  sleep 0.2
done
expect "Alt+H opens the help's start page" \
  "$(grep -c 'WebHelp/Content/Introduction.htm' "$OUT/opened.txt" 2>/dev/null)" "1"
shot alt-h
key alt+c
await_content Confirm 'Terminate Zephlane'
shot alt-c-confirm
expect "Alt+C asks" "$(grep -cP '\tTerminate Zephlane\?$' "$OUT/state.txt")" "1"
expect "confirm buttons" "$(text id6)/$(text id7)" "&Yes/&No"
expect "Yes is the default" "$(focus)" "id6"
key n
settle
expect "No keeps the window" "$(shown Confirm || shown "Zephlane V" && echo open)" "open"
# Escape is No as well: the box closes and the window stays.
key alt+c
await_content Confirm 'Terminate Zephlane'
key Escape
settle
expect "Escape answers No" "$(shown Confirm && echo asking || { shown "Zephlane V" && echo open; })" "open"

note "Show Note on each sheet"
snap
check_note transmission "$NOTE_TRANSM"
snap
click pcResults 20 10
key Right
snap
expect "power meas sheet" "$(value pcResults)" "1"
expect "power meas sheet shown" "$(field tsPowMeas 8)" "1"
check_note power-meas "$NOTE_POWMEAS"
key ctrl+Tab
snap
expect "Ctrl+Tab: load meas sheet" "$(value pcResults)" "2"
check_note load-meas "$NOTE_LOADMEAS"

note "The close box: No, then Alt+F4: Yes"
snap
values="$(text edAnodeV) $(text edSrcMag) $(value cbSrcRfl) $(value chIdeal) $(value udLoaPha)"
position="$(window_field 3),$(window_field 4)"
"$WINE" "$PROBE" close "Zephlane V" >/dev/null 2>&1
await_content Confirm 'Terminate Zephlane'
expect "close box asks" "$(grep -cP '\tTerminate Zephlane\?$' "$OUT/state.txt")" "1"
key n
snap
expect "No leaves every value" "$(text edAnodeV) $(text edSrcMag) $(value cbSrcRfl) $(value chIdeal) $(value udLoaPha)" "$values"
key alt+F4
await_content Confirm 'Terminate Zephlane'
expect "Alt+F4 asks" "$(grep -cP '\tTerminate Zephlane\?$' "$OUT/state.txt")" "1"
shot close-confirm
key Return
wait_ended
expect "window gone" "$("$WINE" "$PROBE" gone "Zephlane V" 5 >/dev/null 2>&1 && echo gone)" "gone"
expect "settings written" "$(tr -d '\r' <"$SETTINGS" 2>/dev/null | grep -E '^(edAnodeV|udLoaPha|cbSrcRfl|chIdeal)=' | sort | tr '\n' ' ')" "cbSrcRfl=1 chIdeal=0 edAnodeV=2500 udLoaPha=45 "

note "Second start restores the values; a read-only settings file"
start "$EXE"
snap
shot second-start
expect "restored" "$(text edAnodeV) $(text edSrcMag) $(value cbSrcRfl) $(value chIdeal) $(value udLoaPha)" "$values"
expect "restored position" "$(window_field 3),$(window_field 4)" "$position"
expect "transmission sheet again" "$(value pcResults)" "0"
chmod a-w "$SETTINGS"
click edAnodeV  # the keyboard goes to the window the pointer chose
key alt+F4
await_content Confirm 'Terminate Zephlane' && key Return
if await "=Zephlane"; then
  icon_left=$(field id1088 3)
  icon_top=$(field id1088 4)
  expect "error box text" "$(text id65535)" "Unable to write to C:\\users\\$WINE_USER\\Brevik\\Zephlane\\Zephlane.ini."
  expect "error box icon" "$(grep -cP '\ticon\t' "$OUT/state.txt")" "1"
  shot read-only-error
  # The stop icon is red; the question mark of the confirmation is blue.
  snap "=Zephlane"
  expect "stop icon is red" "$(pixel $((icon_left + 4)) $((icon_top + 16)) | awk -F, '{ print ($1 > 150 && $3 < 100) ? "red" : $0 }')" "red"
  key Return
fi
settle
snap
expect "window stays after the error" "$(window_field 8)/$(window_field 7)" "1/1"
saved=$(md5sum <"$SETTINGS")
note "After a failed save the close offers to quit without saving"
key alt+F4
await_content Confirm 'Quit Without Saving'
shot close-after-failed-save
expect "a second close asks again" "$(grep -cP '\tTerminate Zephlane\?$' "$OUT/state.txt")" "1"
expect "quit without saving offered" "$(text id100)" "&Quit Without Saving"
expect "Yes still the default" "$(focus)" "id6"
key n
settle
snap
expect "No keeps the window" "$(window_field 8)/$(window_field 7)" "1/1"
key alt+F4
await_content Confirm 'Quit Without Saving'
key Escape
settle
expect "Escape answers No beside Quit Without Saving" \
  "$(shown Confirm && echo asking || { shown "Zephlane V" && echo open; })" "open"
snap
key alt+F4
# The button's mnemonic answers it from the keyboard.
await_content Confirm 'Quit Without Saving' && key q
wait_ended
expect "quit without saving ends the program" \
  "$("$WINE" "$PROBE" gone "Zephlane V" 5 >/dev/null 2>&1 && echo gone)" "gone"
expect "the settings file left as it was" "$(md5sum <"$SETTINGS")" "$saved"
chmod u+w "$SETTINGS"
rm -f "$SETTINGS"

note "What a screen reader reads through MSAA (oleacc)"
# One line per child window: name, role, accessible name, value, first and second child's name.
names() { probe names "Zephlane V" >"$OUT/names.txt"; }
acc() { awk -F'\t' -v n="$1" -v c="$2" '$1 == n { print $c; exit }' "$OUT/names.txt"; }
start "$EXE"
names
expect "anode voltage edit" "$(acc edAnodeV 3)" "Anode voltage, V"
expect "efficiency edit" "$(acc edEffic 3)" "Magnetron efficiency, %"
expect "load magnitude edit" "$(acc edLoaMag 3)" "Load reflection magnitude"
expect "source phase edit" "$(acc edSrcPha 3)" "Source reflection phase, deg"
expect "load phase edit" "$(acc edLoaPha 3)" "Load reflection phase, deg"
expect "ideal box" "$(acc chIdeal 3)" "Ideal couplers"
expect "unit list named, not by its item" "$(acc cbLoaRfl 3)" "Load reflection magnitude unit"
expect "mismatch unit list" "$(acc cbSrcMism 3)" "Source reflection mismatch unit"
expect "up-down" "$(acc udEff 3)" "Magnetron efficiency up-down"
expect "up-down arrows" "$(acc udEff 5)|$(acc udEff 6)" "Magnetron efficiency, step up|Magnetron efficiency, step down"
incident=$(acc pnlPincUnit 3)
expect "incident power cell" "$(grep -cP '^Incident power, actual value: \S+ W$' <<<"$incident")" "1"
expect "incident power value" "$(grep -cP '^\S+ W$' <<<"$(acc pnlPincUnit 4)")" "1"
expect "a cell reads as static text" "$(acc pnlPincUnit 2)" "41"
expect "its value label reads as the whole cell" "$(acc lbPinc2 3)" "$incident"
expect "mismatch cell" "$(grep -cP '^Source reflection mismatch: \S+' <<<"$(acc pnlSrcMism 3)")" "1"
# Every edit, list, up-down and cell: a name of its own, never a bare number.
named=$(grep -P '^(ed|cb|ud|pnl|Panel|paMag)' "$OUT/names.txt" | cut -f3)
expect "named controls" "$(grep -c . <<<"$named")" "55"
expect "no name twice" "$(sort <<<"$named" | uniq -d | tr '\n' '|')" ""
expect "no bare number or missing name" "$(grep -cP '^(-|[-+0-9.,eE]+|NAN)$' <<<"$named")" "0"
power=$(acc pnlPmatchUnit 3)
snap
click edAnodeV
retype 20000
key Return
names
expect_not "a cell's name follows its new value" "$(acc pnlPmatchUnit 3)" "$power"
expect "and still says what it is" "$(grep -c '^Power to match: ' <<<"$(acc pnlPmatchUnit 3)")" "1"
snap
key alt+F4
await_content Confirm 'Terminate Zephlane' && key Return
wait_ended
chmod u+w "$SETTINGS" 2>/dev/null

# The Analysis window's controls by their identifiers.
A_TABS=id10
A_CHART=id11
A_CSV=id22
A_TABLE=id33
WIN_OUT="Z:$(echo "$OUT" | tr / '\\')"
# Reads the Analysis window into $OUT/state.txt.
snap_analysis() { snap "Zephlane Analysis"; }
# Answers a save dialog with a Windows path typed into its file name box.
save_as() {
  await "$1" || return 1
  shot "dialog-$2"
  key ctrl+a
  xdotool type --delay 20 "$WIN_OUT\\$2"
  key Return
  # A file of that name asks whether to replace it, in a box of the dialog's title.
  settle 1
  if shown "=$1"; then
    snap "=$1"
    grep -q 'already exists' "$OUT/state.txt" && key Return
  fi
  settle 1
}
clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
# A screenshot of the whole screen: the Analysis window stands beside or over the main window.
shot_screen() {
  shots=$((shots + 1))
  import -window root "$(printf '%s/%02d-%s.png' "$OUT" "$shots" "$1")"
}

note "The menu bar lies outside the client area; Analysis from the View menu"
rm -f "$SETTINGS"
start "$EXE"
snap
expect "client size with the menu bar" "$(window_field 5)x$(window_field 6)" "513x362"
expect "controls where the design puts them" "$(field bEvaluate 3),$(field bEvaluate 4)" "$(field bEvaluate 3),$(field bEvaluate 4)"
expect "page control still at the bottom" "$(($(field pcResults 4) + $(field pcResults 6)))" "362"
main_left=$(window_field 3)
main_width=$(window_field 5)
shot menu-bar
key alt+v
settle
shot view-menu-open
key a
if await "Zephlane Analysis"; then
  shot_screen analysis-from-menu
  expect "analysis opens on the first sheet" "$(value $A_TABS)" "0"
  expect "limits table rows" "$(value $A_TABLE)" "10"
  expect "analysis resizable" "$(window_field 9)" "1"
  # 1280 pixels leave no room for 860 beside a centred main window: the shared rule puts it
  # over the main window's right part, which stays reachable by a click.
  expect "analysis not left of the main window" "$([ "$(window_field 3)" -ge "$main_left" ] && echo right)" "right"
  expect "analysis inside the screen" "$([ $(($(window_field 3) + $(window_field 5))) -le 1280 ] && [ $(($(window_field 4) + $(window_field 6))) -le 1024 ] && echo inside)" "inside"
  expect_not "chart drawn" "$(pixel $(($(field $A_CHART 3) + $(field $A_CHART 5) / 2)) $(($(field $A_CHART 4) + $(field $A_CHART 6) / 2)))" "240,240,240"

  note "Hover over the powers chart: the value under the pointer"
  ox=$(window_field 3)
  oy=$(window_field 4)
  cx=$(($(field $A_CHART 3) + $(field $A_CHART 5) / 2))
  readout=""
  for dy in $(seq 40 16 $(($(field $A_CHART 6) - 40))); do
    xdotool mousemove $((ox + cx)) $((oy + $(field $A_CHART 4) + dy))
    settle 0.2
    snap_analysis
    readout=$(text $A_CHART)
    [ -n "$readout" ] && break
  done
  shot_screen analysis-hover
  expect "hover names a series and the phase" "$(echo "$readout" | grep -c 'Round-trip phase')" "1"

  note "Switch sheets: Ctrl+Tab, then the arrow key on the tabs"
  key ctrl+Tab
  snap_analysis
  expect "Ctrl+Tab: readings sheet" "$(value $A_TABS)" "1"
  shot_screen analysis-readings
  click $A_TABS 20 10
  snap_analysis
  expect "a click on the first tab" "$(value $A_TABS)" "0"
  key Right Right
  snap_analysis
  expect "Right on the tabs: directivity sheet" "$(value $A_TABS)" "2"
  shot_screen analysis-directivity

  note "Export the directivity chart's CSV and read it back"
  rm -f "$OUT/zephlane-directivity.csv"
  click $A_CSV
  save_as "Export CSV" zephlane-directivity.csv
  expect "CSV written" "$([ -s "$OUT/zephlane-directivity.csv" ] && echo yes)" "yes"
  expect "CSV header names the directivity" "$(head -1 "$OUT/zephlane-directivity.csv" | grep -ci 'directivity')" "1"
  expect "CSV rows" "$([ "$(wc -l <"$OUT/zephlane-directivity.csv")" -gt 10 ] && echo many)" "many"
  snap_analysis

  note "The same chart as SVG and PNG, and on the clipboard"
  rm -f "$OUT/zephlane-directivity.svg" "$OUT/zephlane-directivity.png"
  click id21
  save_as "Export SVG" zephlane-directivity.svg
  expect "SVG written by the engine" "$(grep -c '<svg' "$OUT/zephlane-directivity.svg" 2>/dev/null)" "1"
  expect "SVG holds the design target" "$(grep -q 'Design target' "$OUT/zephlane-directivity.svg" 2>/dev/null && echo yes)" "yes"
  snap_analysis
  chart_width=$(field $A_CHART 5)
  click id20
  save_as "Export PNG" zephlane-directivity.png
  expect "PNG written" "$(head -c 8 "$OUT/zephlane-directivity.png" 2>/dev/null | od -An -c | tr -d ' \n')" "211PNG\r\n032\n"
  expect "PNG as large as the chart" "$(identify -format '%w' "$OUT/zephlane-directivity.png" 2>/dev/null)" "$chart_width"
  snap_analysis
  click id23
  settle 1
  expect "Copy puts the chart's table on the clipboard" "$(clipboard | head -1 | grep -ci 'directivity')" "1"
  xclip -o -selection clipboard -t TARGETS >"$OUT/chart-targets.txt" 2>/dev/null
  note "chart clipboard targets: $(tr '\n' ' ' <"$OUT/chart-targets.txt")"
  expect "Copy puts the picture beside it" "$(grep -ciE '^image/' "$OUT/chart-targets.txt" | awk '{ print ($1 > 0) ? "yes" : "no" }')" "yes"

  note "F1 in the Analysis window opens its help page"
  : >"$OUT/opened.txt"
  key F1
  for i in $(seq 1 50); do
    [ -s "$OUT/opened.txt" ] && break
    sleep 0.2
  done
  expect "F1 opens the Analysis page" "$(grep -c 'WebHelp/Content/Analysis.htm' "$OUT/opened.txt")" "1"
  shot_screen analysis-f1
  key Escape
  expect "Escape closes the Analysis window" "$("$WINE" "$PROBE" gone "Zephlane Analysis" 5 >/dev/null 2>&1 && echo gone)" "gone"
fi

note "Ctrl+Shift+C copies the results; the clipboard holds them as text"
snap
click lbPload2
snap
focus_before=$(focus)
key ctrl+shift+c
settle 1
clipboard >"$OUT/clipboard.txt"
expect "clipboard holds the anode voltage row" "$(grep -cP '\t4350\tV$' "$OUT/clipboard.txt")" "1"
expect "clipboard header" "$(head -1 "$OUT/clipboard.txt" | cut -f1)" "Quantity"
xclip -o -selection clipboard -t TARGETS >"$OUT/clipboard-targets.txt" 2>/dev/null
note "clipboard targets: $(tr '\n' ' ' <"$OUT/clipboard-targets.txt")"
expect "HTML offered beside the text" "$(grep -ciE 'html' "$OUT/clipboard-targets.txt" | awk '{ print ($1 > 0) ? "yes" : "no" }')" "yes"

note "F1 in the main window: the help page, the focus where it was"
: >"$OUT/opened.txt"
click edAnodeV
snap
key F1
for i in $(seq 1 50); do
  [ -s "$OUT/opened.txt" ] && break
  sleep 0.2
done
snap
expect "F1 opens the help's start page" "$(grep -c 'WebHelp/Content/Introduction.htm' "$OUT/opened.txt")" "1"
expect "F1 leaves the focus" "$(focus)" "edAnodeV"

note "The context menu on the background: Copy Results"
echo -n stale | xclip -selection clipboard
settle
xdotool mousemove $(($(window_field 3) + $(field lbPload2 3) + 5)) $(($(window_field 4) + $(field lbPload2 4) + 5)) click 3
settle 1
shot_screen context-menu
key Down Down Return
settle 1
expect "context menu Copy Results" "$(clipboard | grep -cP '\t4350\tV$')" "1"

note "Export Results through Ctrl+Shift+E"
rm -f "$OUT/results.csv"
snap
key ctrl+shift+e
save_as "Export Results" results.csv
expect "results CSV written" "$(grep -c '^Quantity,Value,Unit' "$OUT/results.csv" 2>/dev/null)" "1"

note "An export over a read-only file: an error box, the file as it was"
echo old >"$OUT/locked.csv"
chmod a-w "$OUT/locked.csv"
snap
key ctrl+shift+e
save_as "Export Results" locked.csv
# The save dialog, titled as the box, may still be closing: wait for the box's text.
if await_content "=Export Results" 'Could not write'; then
  shot_screen export-refused
  expect "export error names the file" "$(text id65535)" "Could not write $WIN_OUT\\locked.csv."
  key Return
fi
expect "read-only file kept" "$(cat "$OUT/locked.csv")" "old"
expect "no temporary file left" "$(ls "$OUT" | grep -c 'locked.csv.tmp')" "0"
chmod u+w "$OUT/locked.csv"
settle

note "About from the Help menu shows the version"
key alt+p
settle
key a
if await "About Zephlane"; then
  shot_screen about
  expect "about shows the version" "$(text id65535 | grep -c 'Version 2.1.0.0')" "1"
  key Return
fi

note "Quit from the File menu with the Analysis window open ends the process"
key ctrl+shift+a
await "Zephlane Analysis" && snap_analysis
analysis_box="$(window_field 3),$(window_field 4)"
shown "Zephlane Analysis" || fail "Ctrl+Shift+A shows the Analysis window"
snap
# The Analysis window is active and covers the main window's right part: the File menu by a
# click on the main window's menu bar, just above its client area.
xdotool mousemove $(($(window_field 3) + 12)) $(($(window_field 4) - 9)) click 1
settle
shot_screen file-menu-open
key q
await_content Confirm 'Terminate Zephlane' && key Return
wait_ended
expect "main window gone" "$("$WINE" "$PROBE" gone "Zephlane V" 5 >/dev/null 2>&1 && echo gone)" "gone"
expect "analysis window gone" "$("$WINE" "$PROBE" gone "Zephlane Analysis" 5 >/dev/null 2>&1 && echo gone)" "gone"
expect "settings written" "$(tr -d '\r' <"$SETTINGS" | grep -c '^\[Zephlane\]')" "1"
expect "analysis place saved" "$(tr -d '\r' <"$SETTINGS" | awk '/^\[Analysis\]/ { f = 1; next } /^\[/ { f = 0 } f' | grep -cE '^(Left|Top|Width|Height)=-?[0-9]+$')" "4"

note "Second start: Ctrl+Shift+A opens the Analysis window where it was"
start "$EXE"
snap
key ctrl+shift+a
if await "Zephlane Analysis"; then
  shot_screen analysis-second-start
  expect "analysis where it was" "$(window_field 3),$(window_field 4)" "$analysis_box"
fi
snap
# A click on the main window's left part, which the Analysis window leaves free, makes it
# active again.
xdotool mousemove $(($(window_field 3) + 5)) $(($(window_field 4) + $(field lbAnodeV 4) + 5)) click 1
settle
key alt+F4
await_content Confirm 'Terminate Zephlane' && key Return
wait_ended
expect "Alt+F4 with Analysis open ends the process" "$("$WINE" "$PROBE" gone "Zephlane" 5 >/dev/null 2>&1 && echo gone)" "gone"
rm -f "$SETTINGS"

finish

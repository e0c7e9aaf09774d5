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
rm -f "$SETTINGS"

finish

#!/bin/bash
# The Analysis window's "From readings" and "Budget" sheets under Wine, driven by real keys and
# clicks: the sheets' controls, typed readings and their truth rows, a Monte Carlo run that
# fills its tables while the window keeps answering, the accessible names. Screenshots in $OUT.
# Usage: sheets_test.sh Zephlane.exe zephlane-probe.exe
set -u
EXE=$1
PROBE=$2
. "$(dirname "$0")/gui_lib.sh"

A_TABS=id10
R_FORWARD=id201
R_TABLE=211
B_RUN=id247
B_RESULTS=249
B_CONTRIB=250
rows() { probe rows "Zephlane Analysis" "$1"; }
snap_analysis() { snap "Zephlane Analysis"; }
shot_screen() {
  shots=$((shots + 1))
  import -window root "$(printf '%s/%02d-%s.png' "$OUT" "$shots" "$1")"
}

rm -f "$SETTINGS"
start "$EXE"
key ctrl+shift+a
await "Zephlane Analysis" || finish
key ctrl+Tab ctrl+Tab ctrl+Tab
snap_analysis
expect "Ctrl+Tab reaches the readings sheet" "$(value $A_TABS)" "3"
expect "chart hidden on the readings sheet" "$(field id11 8)" "0"
expect "forward reading shown" "$(field $R_FORWARD 8)" "1"
expect "the worked case's forward reading" "$(text $R_FORWARD)" "1000"
expect "truth rows" "$(value id$R_TABLE)" "6"
shot_screen readings-sheet

note "Typing a reading recomputes the truth at once"
before=$(rows $R_TABLE)
click $R_FORWARD
retype 1200
snap_analysis
after=$(rows $R_TABLE)
expect_not "rows follow the typed reading" "$after" "$before"
expect "the incident power row names its quantity" "$(head -1 <<<"$after" | cut -f1 | grep -c .)" "1"
note "truth rows: $(tr '\t\n' ' |' <<<"$after")"
shot_screen readings-typed

note "Tab moves on from the forward reading to its unit list"
key Tab
snap_analysis
expect "focus on the unit list" "$(focus)" "id202"

note "Impossible readings give a message, no numbers"
click id204
retype 5000
click id208
snap_analysis
expect "no rows for readings no load gives" "$(value id$R_TABLE)" "0"
expect_not "a message says why" "$(text id212)" ""
shot_screen readings-impossible
click id204
retype 40
click id208

note "Budget: Run Monte Carlo fills both tables"
key ctrl+Tab
snap_analysis
expect "Ctrl+Tab reaches the budget sheet" "$(value $A_TABS)" "4"
click $B_RUN
snap_analysis
responsive=$(probe list "Zephlane Analysis" | grep -c '^window')
expect "the window answers during the run" "$responsive" "1"
for i in $(seq 1 40); do
  [ -n "$(rows $B_RESULTS)" ] && break
  sleep 0.5
done
expect_not "budget result rows" "$(rows $B_RESULTS | wc -l)" "0"
expect_not "contribution rows" "$(rows $B_CONTRIB | wc -l)" "0"
note "budget rows: $(rows $B_RESULTS | tr '\t\n' ' |')"
shot_screen budget-run

note "Every new control has an accessible name"
probe names "Zephlane Analysis" >"$OUT/sheet-names.txt"
for id in 201 202 204 205 207 211 231 233 234 236 237 240 242 244 246 249 250; do
  expect_not "accessible name of id$id" "$(awk -F'\t' -v n="id$id" '$1 == n { print $3 }' "$OUT/sheet-names.txt")" "-"
done
expect "forward reading's name" "$(awk -F'\t' '$1 == "id201" { print $3 }' "$OUT/sheet-names.txt")" "Forward (incident) reading"

key Escape
"$WINE" "$PROBE" gone "Zephlane Analysis" 5 >/dev/null 2>&1
snap
key alt+F4
await_content Confirm 'Terminate Zephlane' && key Return
wait_ended
finish

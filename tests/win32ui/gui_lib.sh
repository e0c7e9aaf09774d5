# Helpers for the window tests under Wine: start a program, read its window with the probe,
# press keys and click with xdotool, keep screenshots. Sourced; needs WINE, WINEPREFIX, OUT and
# PROBE. Every check is counted; `finish` exits non-zero when one failed.

export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINE=${WINE:-wine}
mkdir -p "$OUT"
# A session of this prefix left from an earlier display would draw nowhere: end it, and make
# the prefix on the first run.
WINESERVER=${WINESERVER:-$(dirname "$WINE")/wineserver}
[ -x "$WINESERVER" ] || WINESERVER=wineserver
"$WINESERVER" -k 2>/dev/null
"$WINESERVER" -w 2>/dev/null
if [ ! -d "$WINEPREFIX/drive_c/users" ]; then
  echo "-- making the Wine prefix $WINEPREFIX"
  "$WINE" wineboot --init >/dev/null 2>&1
fi
failures=0
shots=0

note() { echo "-- $*"; }
pass() { echo "ok   $*"; }
fail() {
  echo "FAIL $*"
  failures=$((failures + 1))
}
expect() {  # what actual expected
  if [ "$2" == "$3" ]; then pass "$1: $2"; else fail "$1: got '$2', expected '$3'"; fi
}
expect_not() {  # what actual unwanted
  if [ "$2" != "$3" ]; then pass "$1: $2"; else fail "$1: still '$2'"; fi
}
finish() {
  # Ends the session with this display, saving the prefix's registry; a program still running
  # after a failed check is ended.
  timeout 30 "$WINESERVER" -w 2>/dev/null || "$WINESERVER" -k 2>/dev/null
  if [ "$failures" -eq 0 ]; then
    echo "all checks passed; screenshots in $OUT"
    exit 0
  fi
  echo "$failures check(s) failed; screenshots in $OUT"
  exit 1
}

probe() { "$WINE" "$PROBE" "$@" 2>/dev/null | tr -d '\r'; }
# Lets the program handle what it was sent.
settle() { sleep "${1:-0.4}"; }

# The user's profile folder of the Wine prefix, as Unix and as Windows path.
wine_user() {
  local u
  for u in "$WINEPREFIX"/drive_c/users/*; do
    [ "$(basename "$u")" = Public ] || { basename "$u"; return; }
  done
}
WINE_USER=$(wine_user)
PROFILE="$WINEPREFIX/drive_c/users/$WINE_USER"
SETTINGS="$PROFILE/Brevik/Zephlane/Zephlane.ini"

# Reads a window into $OUT/state.txt (default: the Zephlane window).
snap() { probe list "${1:-Zephlane V}" >"$OUT/state.txt"; }
# A column of a control's line in the last snapshot: 1 name, 2 class, 3 left, 4 top, 5 width,
# 6 height, 7 enabled, 8 visible, 9 value, 10 text.
field() { awk -F'\t' -v n="$1" -v c="$2" '$1 == n { print $c; exit }' "$OUT/state.txt"; }
text() { field "$1" 10; }
value() { field "$1" 9; }
window_field() { awk -F'\t' -v c="$1" '$1 == "window" { print $c; exit }' "$OUT/state.txt"; }
focus() { awk -F'\t' '$1 == "focus" { print $2; exit }' "$OUT/state.txt"; }

# Waits for a window (a box) with this title and reads it; false when none came.
await() {
  if ! "$WINE" "$PROBE" wait "$1" 20 >/dev/null 2>&1; then
    fail "no window titled $1"
    : >"$OUT/state.txt"
    return 1
  fi
  settle 0.5
  snap "$1"
}
# As await, then reads the window again until a line of it matches the pattern: a task dialog
# shows its window before it has made its texts and buttons.
await_content() {
  await "$1" || return 1
  local i
  for i in $(seq 20); do
    grep -qP "$2" "$OUT/state.txt" && return 0
    settle 0.5
    snap "$1"
  done
  return 0
}
# True while a window with this title is shown.
shown() { "$WINE" "$PROBE" wait "$1" 0 >/dev/null 2>&1; }

# Clicks into a control of the window of the last snapshot, at its centre or at the given
# offsets from its top left corner.
click() {
  local ox oy x y w h
  ox=$(window_field 3)
  oy=$(window_field 4)
  x=$(field "$1" 3)
  y=$(field "$1" 4)
  w=$(field "$1" 5)
  h=$(field "$1" 6)
  if [ -z "$x" ]; then
    fail "no control $1 to click"
    return
  fi
  xdotool mousemove $((ox + x + ${2:-w / 2})) $((oy + y + ${3:-h / 2})) click 1
  settle
}
key() {
  xdotool key --delay 80 "$@"
  settle
}
type_text() {
  xdotool type --delay 60 "$1"
  settle
}
# Replaces the text of the focused edit.
retype() {
  key End shift+Home BackSpace
  type_text "$1"
}

# A screenshot of the Zephlane window and whatever box stands over it, numbered in order.
shot() {
  local ox oy w h
  read -r ox oy w h < <(probe list "Zephlane V" | awk -F'\t' '$1 == "window" { print $3, $4, $5, $6 }')
  shots=$((shots + 1))
  import -window root "$OUT/screen.png"
  convert "$OUT/screen.png" -crop "$((w + 60))x$((h + 80))+$((ox - 30))+$((oy - 40))" +repage \
    "$(printf '%s/%02d-%s.png' "$OUT" "$shots" "$1")"
}
# The colour of a pixel of the last screenshot, at client coordinates of the window, as r,g,b.
pixel() {
  local x y
  x=$(($(window_field 3) + $1))
  y=$(($(window_field 4) + $2))
  convert "$OUT/screen.png" -format \
    "%[fx:int(255*p{$x,$y}.r)],%[fx:int(255*p{$x,$y}.g)],%[fx:int(255*p{$x,$y}.b)]" info:
}

# Starts a Windows program in the background and waits for its window.
start() {
  "$WINE" "$1" >/dev/null 2>&1 &
  APP_PID=$!
  if ! "$WINE" "$PROBE" wait "${2:-Zephlane V}" 90 >/dev/null 2>&1; then
    fail "no window titled ${2:-Zephlane V} within 90 s"
    finish
  fi
  settle 1.5
}
# Waits for the started program to end.
wait_ended() {
  local i
  for i in $(seq 1 100); do
    kill -0 "$APP_PID" 2>/dev/null || return 0
    sleep 0.2
  done
  fail "the program did not end"
  kill "$APP_PID" 2>/dev/null
}

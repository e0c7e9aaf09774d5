#!/bin/sh
# Starts the window from the build folder ($1, default "build"). Without a display it runs the
# window on a virtual X display, saves a screenshot beside the build and ends the program.
set -eu

BUILD=${1:-build}
EXE="$BUILD/bin/zephlane"
if [ ! -x "$EXE" ]; then
  echo "run-window: $EXE not found; build first (make build)" >&2
  exit 1
fi

if [ "${2:-}" = "--screenshot" ]; then
  # Inside the virtual display: wait for the window, photograph it, end the program. Ending it
  # by a signal saves nothing, as a confirmed close would.
  "$EXE" &
  pid=$!
  wid=""
  tries=0
  while [ -z "$wid" ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "run-window: the program ended before its window appeared" >&2
      exit 1
    fi
    tries=$((tries + 1))
    if [ "$tries" -gt 150 ]; then
      echo "run-window: no window after 30 s" >&2
      kill "$pid"
      exit 1
    fi
    sleep 0.2
    wid=$(xdotool search --onlyvisible --name '^Zephlane' 2>/dev/null | head -n 1 || true)
  done
  sleep 1  # let the first paint finish
  import -window "$wid" "$BUILD/zephlane.png"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  exit 0
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$EXE"
fi

echo "run-window: no display (\$DISPLAY and \$WAYLAND_DISPLAY are empty); running the window on a virtual X display"
xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$BUILD" --screenshot
echo "run-window: screenshot saved to $(cd "$BUILD" && pwd)/zephlane.png"

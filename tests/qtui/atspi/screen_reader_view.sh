#!/bin/sh
# Runs the real window on a virtual display with a session bus and the accessibility bus,
# then reads it as a screen reader does (screen_reader_view.py).
#   screen_reader_view.sh <zephlane program> <script>
# Exit 77 (skipped) when the tools for a virtual desktop with AT-SPI are not installed or its
# bus cannot start.
program=$1
script=$2
# Debian's own Python, where python3-pyatspi installs, ahead of any other on the PATH.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
for tool in xvfb-run dbus-run-session "$python"; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed (xvfb, dbus, python3-pyatspi, at-spi2-core)"
    exit 77
  fi
done
if ! "$python" -c 'import pyatspi' 2>/dev/null; then
  echo "SKIP: python3-pyatspi is not installed"
  exit 77
fi
if [ ! -x /usr/libexec/at-spi-bus-launcher ] && ! command -v at-spi-bus-launcher >/dev/null 2>&1; then
  echo "SKIP: at-spi2-core is not installed"
  exit 77
fi

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT INT TERM
export HOME="$home" XDG_RUNTIME_DIR="$home/run"
unset XDG_CONFIG_HOME
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" &
  app=$!
  "$3" "$2" Zephlane 30
  rc=$?
  # A program that never showed up because it ended is a failure, not a missing bus.
  if [ "$rc" -eq 77 ] && ! kill -0 "$app" 2>/dev/null; then
    echo "FAIL: the program ended before it could be read"
    rc=1
  fi
  kill "$app" 2>/dev/null
  wait "$app" 2>/dev/null
  exit $rc
' sh "$program" "$script" "$python"

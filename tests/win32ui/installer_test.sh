#!/usr/bin/env bash
# The installer under Wine: a silent per-user installation, the installed program started and
# closed with real keys, then a silent uninstallation that leaves the user's settings file.
#   installer_test.sh <setup.exe> <zephlane-probe.exe>     (WINE, WINEPREFIX, OUT in the environment)
set -u
SETUP=$1
PROBE=$2
source "$(dirname "$0")/gui_lib.sh"
OUT="$OUT/installer"
mkdir -p "$OUT"
rm -f "$OUT"/*.png

INSTDIR="$PROFILE/AppData/Local/Programs/Zephlane"
LINK="$PROFILE/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Zephlane.lnk"
UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zephlane'
reg_value() {
  "$WINE" reg query "$UNINSTALL_KEY" /v "$1" 2>/dev/null | tr -d '\r' |
    awk -v n="$1" '$1 == n { $1 = ""; $2 = ""; sub(/^  */, ""); print }'
}

PROGRAMS_DIR="$PROFILE/AppData/Local/Programs"
PUBLISHER_KEY='HKCU\Software\Brevik'
key_state() { "$WINE" reg query "$1" >/dev/null 2>&1 && echo left || echo removed; }

note "Silent per-user installation into a profile without a Programs folder"
rm -rf "$PROGRAMS_DIR"
"$WINE" "$SETUP" /S /CurrentUser >/dev/null 2>&1
expect "installer exit code" "$?" "0"
for f in Zephlane.exe zephlane-calc.exe ZephlaneHelp.pdf ZephlaneTheory.pdf README.txt \
  Uninstall.exe WebHelp/Content/Introduction.htm; do
  expect "installed $f" "$([ -f "$INSTDIR/$f" ] && echo yes)" "yes"
done
expect "Start-menu entry" "$([ -f "$LINK" ] && echo yes)" "yes"
expect "Apps & Features name" "$(reg_value DisplayName)" "Zephlane"
expect "Apps & Features version" "$(reg_value DisplayVersion)" "2.1.0.0"
expect "Apps & Features publisher" "$(reg_value Publisher)" "Brevik"
expect "uninstall command" "$(reg_value UninstallString)" \
  "\"C:\\users\\$WINE_USER\\AppData\\Local\\Programs\\Zephlane\\Uninstall.exe\" /CurrentUser"

note "The command-line calculator runs from the installation folder, as from a command prompt"
CALC_VERSION=$("$WINE" "$INSTDIR/zephlane-calc.exe" --version 2>/dev/null)
expect "calculator exit code" "$?" "0"
expect "calculator version" "$(printf '%s' "$CALC_VERSION" | tr -d '\r')" "zephlane-calc 2.1.0.0"

note "The installed program starts, shows its version and closes"
rm -f "$SETTINGS"
start "$INSTDIR/Zephlane.exe"
snap
shot installed-program
expect "caption" "$(window_field 10)" "Zephlane V 2.1.0.0"
expect "results shown" "$([ -n "$(text lbPmatch2)" ] && [ "$(text lbPmatch2)" != 0 ] && echo yes)" "yes"
click edAnodeV  # the keyboard goes to the window the pointer chose
key alt+F4
await_content Confirm 'Terminate Zephlane' && key Return
wait_ended
expect "settings written" "$([ -f "$SETTINGS" ] && echo yes)" "yes"

note "Silent uninstallation"
"$WINE" "$INSTDIR/Uninstall.exe" /S >/dev/null 2>&1
# The uninstaller runs on from a copy of itself and removes the folder when done.
for i in $(seq 1 150); do
  [ -e "$INSTDIR" ] || break
  sleep 0.2
done
expect "program folder removed" "$([ -e "$INSTDIR" ] && echo left || echo removed)" "removed"
expect "Start-menu entry removed" "$([ -e "$LINK" ] && echo left || echo removed)" "removed"
expect "Apps & Features entry removed" \
  "$("$WINE" reg query "$UNINSTALL_KEY" >/dev/null 2>&1 && echo left || echo removed)" "removed"
expect "settings file kept" "$([ -f "$SETTINGS" ] && echo kept)" "kept"
expect "publisher key removed" "$(key_state "$PUBLISHER_KEY")" "removed"
expect "Programs folder it made removed" "$([ -e "$PROGRAMS_DIR" ] && echo left || echo removed)" \
  "removed"
rm -f "$SETTINGS"

note "A Programs folder that was there before, with another program in it, stays"
mkdir -p "$PROGRAMS_DIR/Other"
"$WINE" "$SETUP" /S /CurrentUser >/dev/null 2>&1
"$WINE" "$INSTDIR/Uninstall.exe" /S >/dev/null 2>&1
for i in $(seq 1 150); do
  [ -e "$INSTDIR" ] || break
  sleep 0.2
done
expect "program folder removed again" "$([ -e "$INSTDIR" ] && echo left || echo removed)" "removed"
expect "other program kept" "$([ -d "$PROGRAMS_DIR/Other" ] && echo kept)" "kept"
rm -rf "$PROGRAMS_DIR/Other"

note "An empty Programs folder that was there before stays"
"$WINE" "$SETUP" /S /CurrentUser >/dev/null 2>&1
"$WINE" "$INSTDIR/Uninstall.exe" /S >/dev/null 2>&1
for i in $(seq 1 150); do
  [ -e "$INSTDIR" ] || break
  sleep 0.2
done
expect "empty Programs folder kept" "$([ -d "$PROGRAMS_DIR" ] && echo kept)" "kept"

note "Silent per-machine installation and uninstallation"
MACHINE_DIR="$WINEPREFIX/drive_c/Program Files/Zephlane"
MACHINE_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zephlane'
"$WINE" "$SETUP" /S /AllUsers >/dev/null 2>&1
expect "installed for every user" "$([ -f "$MACHINE_DIR/Zephlane.exe" ] && echo yes)" "yes"
expect "machine-wide Apps & Features entry" \
  "$("$WINE" reg query "$MACHINE_KEY" /v DisplayName 2>/dev/null | tr -d '\r' | grep -c "DisplayName.*Zephlane")" "1"
"$WINE" "$MACHINE_DIR/Uninstall.exe" /S >/dev/null 2>&1
for i in $(seq 1 150); do
  [ -e "$MACHINE_DIR" ] || break
  sleep 0.2
done
expect "machine-wide folder removed" "$([ -e "$MACHINE_DIR" ] && echo left || echo removed)" "removed"
expect "machine-wide entry removed" \
  "$("$WINE" reg query "$MACHINE_KEY" >/dev/null 2>&1 && echo left || echo removed)" "removed"
expect "machine-wide publisher key removed" "$(key_state 'HKLM\Software\Brevik')" "removed"

finish

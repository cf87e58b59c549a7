#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A desktop scaled to 150 % on a 1920 x 1080 screen: the program reads the manifest's
# per-monitor awareness, so it sees the screen's real 1080 rows (no warning) and opens
# its windows scaled by the DPI, as far as they fit the screen.
source "$(dirname "$0")/wine_e2e_lib.sh" "$@"

start_x 1920 1080
wine_prefix
fixed_layout wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f \
  >/dev/null 2>&1 || fail "could not set the prefix's DPI"
wineserver -w
fresh_copy
write_marker
launch

# The splash, then the menu: a warning box would come instead.
wait_window "Zentorra" "$FIRST_WINDOW_WAIT"
splash=$WIN
wait_window "Zentorra" 10 "$splash"
read -r width height <<<"$(xwininfo -id "$WIN" | awk '/^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {print w, h}')"
((width > 1300 && width <= 1920)) || fail "the menu is $width pixels wide, not scaled"
[ "$height" -le 1080 ] || fail "the menu is $height pixels high, more than the screen"
import -window root "$SHOT_DIR/$TEST_NAME-menu-150.png"
xdotool windowfocus "$WIN"
keys alt+F4
wait_exit 15
echo "PASS ($TEST_NAME)"

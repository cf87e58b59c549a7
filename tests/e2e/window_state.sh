#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Under a real window manager: F11 full screen and a maximised window are kept by every
# screen that replaces another, three changes each, and F11 returns to a window.
source "$(dirname "$0")/e2e_lib.sh" "$@"

start_x 1280 1024
start_wm
fresh_copy
write_marker
launch

wait_menu
menu=$WIN

# The window of the given id, or of the current one, has this size.
expect_size() {
  local want=$1 what=$2
  sleep 0.5
  window_geometry "$WIN"
  [ "${WIN_W}x${WIN_H}" = "$want" ] || fail "$what is ${WIN_W}x${WIN_H}, not $want"
}

keys F11
expect_size 1280x1024 "the menu in full screen"
keys Tab Return
xdotool type --delay 40 Full
keys Return
wait_window "Zentorra" 10 "$menu"
expect_size 1280x1024 "the game after a full-screen menu"
shot full-screen-game >/dev/null
keys Escape
wait_window "Zentorra" 10 "$WIN"
expect_size 1280x1024 "the menu after a full-screen game"
keys Tab Tab Return
wait_window "High Score" 10
expect_size 1280x1024 "the high scores after a full-screen menu"
keys Escape
wait_window "Zentorra" 10
keys F11
expect_size 1024x768 "the menu back in a window"

# A double click on the title bar maximises, as the window manager does it.
xdotool mousemove $((WIN_X + 300)) $((WIN_Y - 8)) click --repeat 2 --delay 80 1
sleep 0.5
window_geometry "$WIN"
maximised="${WIN_W}x${WIN_H}"
((WIN_W == 1280 && WIN_H > 900)) || fail "the menu did not maximise: $maximised"
keys Return  # the ring is still on Score
wait_window "High Score" 10
expect_size "$maximised" "the high scores after a maximised menu"
keys Escape
wait_window "Zentorra" 10
expect_size "$maximised" "the menu after maximised high scores"
keys Tab Tab Tab Return  # on from Score round to Play
xdotool type --delay 40 Max
keys Return
wait_window "Zentorra" 10 "$menu"
expect_size "$maximised" "the game after a maximised menu"
shot maximised-game >/dev/null

keys Escape
wait_window "Zentorra" 10 "$WIN"
keys alt+F4
wait_exit 10
echo "PASS ($TEST_NAME)"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# On a 3840 x 2160 screen the first window opens at twice its size (a whole factor, so
# pixels stay sharp), centred, and the picture fills it.
source "$(dirname "$0")/e2e_lib.sh" "$@"

start_x 3840 2160
start_wm
fresh_copy
write_marker
launch

wait_window "Zentorra" "$FIRST_WINDOW_WAIT"
[ "${WIN_W}x${WIN_H}" = 2048x1536 ] || fail "the splash opened at ${WIN_W}x${WIN_H}"
centre_x=$((WIN_X + WIN_W / 2)) centre_y=$((WIN_Y + WIN_H / 2))
((centre_x >= 1900 && centre_x <= 1940)) || fail "not centred across: $WIN_X"
((centre_y >= 1040 && centre_y <= 1120)) || fail "not centred down: $WIN_Y"
splash=$WIN
wait_window "Zentorra" 10 "$splash"
[ "${WIN_W}x${WIN_H}" = 2048x1536 ] || fail "the menu opened at ${WIN_W}x${WIN_H}"
sleep 0.5
menu=$(shot menu-4k)
# The painted Play button, at twice its place: not the bars' black.
[ "$(pixels "$menu" 454,1332)" != "0,0,0" ] || fail "the picture does not fill the window"
keys alt+F4
wait_exit 10
echo "PASS ($TEST_NAME)"

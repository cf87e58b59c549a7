#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A whole visit with the keyboard only, under a real window manager: the name typed and
# confirmed with Enter, turns with the cursor, Escape back to the menu, the high scores
# and back, and the program ended with Alt+F4.
source "$(dirname "$0")/e2e_lib.sh" "$@"

start_x 1280 1024
start_wm
fresh_copy
write_marker
launch

wait_menu
menu=$WIN
keys Tab
shot menu-ring-play >/dev/null
keys Return  # Play
xdotool type --delay 40 Keys
keys Tab
shot menu-ring-ok >/dev/null
keys shift+Tab Return
wait_window "Zentorra" 10 "$menu"
game=$WIN
board=$(settled_board game-dealt)

# The cursor shows on the first arrow, on the centre-most inner cell (3, 3): its frame is
# black at the cell's edge and white just inside.
keys Right
cursor=$(shot game-cursor)
read -r edge inside <<<"$(pixels "$cursor" 225,410 227,410)"
[ "$edge" = "0,0,0" ] || fail "no cursor frame at the cell's edge: $edge"
[ "$inside" = "255,255,255" ] || fail "no white inside the cursor's frame: $inside"

# Enter turns the ring of (3, 3) as a right press does.
ring="225x225+150+300"
convert "$board" -crop "$ring" +repage "$SHOT_DIR/$TEST_NAME-ring-before.png"
keys Return
turned=no
for i in 1 2 3 4 5 6; do
  frame=$(shot "game-turn-$i")
  convert "$frame" -crop "$ring" +repage "$SHOT_DIR/$TEST_NAME-ring-$i.png"
  differing=$(compare -metric AE "$SHOT_DIR/$TEST_NAME-ring-before.png" \
    "$SHOT_DIR/$TEST_NAME-ring-$i.png" null: 2>&1 || true)
  [ "${differing%% *}" != 0 ] && turned=yes
done
[ $turned = yes ] || fail "the ring did not move"
settled_board game-after-turn >/dev/null
keys Tab
shot game-ring-music >/dev/null

# Escape is Exit: saved, and the menu again.
keys Escape
wait_window "Zentorra" 10 "$game"
[ "$WIN" = "$menu" ] || fail "Escape did not lead back to the menu"
[ -f "$RUN_DIR/data/Keys.dat" ] || fail "Escape did not save the game"

# Score, then Escape as Back.
keys Tab Tab Return
wait_window "High Score" 10
shot high-scores >/dev/null
keys Escape
wait_window "Zentorra" 10
[ "$WIN" = "$menu" ] || fail "Escape did not lead back from the high scores"

keys alt+F4
wait_exit 10
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "PASS ($TEST_NAME)"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The keyboard under Wine: the name typed and confirmed with Enter, the cursor shown by an
# arrow, Enter turning its ring, Escape as Exit (the game saved), and Alt+F4 as Quit.
source "$(dirname "$0")/wine_e2e_lib.sh" "$@"

start_x 1280 1024
wine_prefix
fresh_copy
write_marker
launch

wait_menu
menu=$WIN
xdotool windowfocus "$WIN"
keys Tab Return
xdotool type --delay 40 Keys
keys Return
wait_window "Zentorra" 10 "$menu"
game=$WIN
xdotool windowfocus "$WIN"
board=$(settled_board game-dealt)

keys Right
cursor=$(shot game-cursor)
read -r edge inside <<<"$(pixels "$cursor" 225,410 227,410)"
[ "$edge" = "0,0,0" ] || fail "no cursor frame at the cell's edge: $edge"
[ "$inside" = "255,255,255" ] || fail "no white inside the cursor's frame: $inside"

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
[ $turned = yes ] || fail "Enter did not turn the ring"
settled_board game-after-turn >/dev/null

keys Escape
wait_window "Zentorra" 10 "$game"
[ "$WIN" = "$menu" ] || fail "Escape did not lead back to the menu"
[ -f "$RUN_DIR/data/Keys.dat" ] || fail "Escape did not save the game"
xdotool windowfocus "$WIN"
keys alt+F4
wait_exit 15
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "PASS ($TEST_NAME)"

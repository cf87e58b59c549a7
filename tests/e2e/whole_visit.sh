#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A whole visit as a player makes it: a new player's game with one turn, leaving it
# (save file and table in their exact formats), a returning player who continues a saved
# game, the high scores with that player's entry, and Quit with exit status 0.
# shellcheck source=e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh" "$@"

start_x 1280 1024
fresh_copy
write_marker
printf '"500"\r\n"3"\r\n"3"\r\n"0"\r\n' >"$RUN_DIR/data/Veteran.dat"
launch

wait_menu
menu=$WIN
sleep 0.3
shot menu

# A new player goes straight to a fresh game.
enter_name Tester
wait_window "Zentorra" 10 "$menu"
game=$WIN
board=$(settled_board game-dealt)

# A right press on the inner cell (3, 3) turns its ring: some frame of the slide differs
# from the dealt board in the ring's 3 x 3 block.
ring="225x225+150+300"
convert "$board" -crop "$ring" +repage "$SHOT_DIR/$TEST_NAME-ring-before.png"
click_at 262 412 3
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

# Exit saves the player's file and the table, in their exact formats.
click_at "$GAME_EXIT"
wait_window "Zentorra" 10 "$game"
[ "$WIN" = "$menu" ] || fail "the menu came back as a new window"
save="$RUN_DIR/data/Tester.dat"
[ -f "$save" ] || fail "no save file"
LC_ALL=C grep -Pzq '^("[0-9]+"\r\n){4}$' "$save" || fail "save file format: $(hex "$save")"
table="$RUN_DIR/data/score.dat"
[ -f "$table" ] || fail "no table file"
LC_ALL=C grep -Pzq '^("[A-Za-z0-9]*"\r\n-?[0-9]+\r\n){8}$' "$table" ||
  fail "table format: $(hex "$table")"

# A returning player continues the saved game; leaving puts the player at the top.
enter_name Veteran
sleep 0.3
shot choice
click_at "$CONTINUE"
wait_window "Zentorra" 10 "$menu"
game=$WIN
settled_board game-continued >/dev/null
click_at "$GAME_EXIT"
wait_window "Zentorra" 10 "$game"
score=$(head -1 "$RUN_DIR/data/Veteran.dat" | tr -d '"\r')
[ "$score" -ge 500 ] || fail "Veteran's score went down to $score"
[ "$(sed -n 1p "$table" | tr -d '\r')" = '"Veteran"' ] || fail "Veteran is not first: $(cat -A "$table")"
[ "$(sed -n 2p "$table" | tr -d '\r')" = "$((score * 100))" ] || fail "Veteran's points: $(cat -A "$table")"

# The high scores show the entry: its insignia box holds a picture, the last one is empty.
click_at "$SCORE"
wait_window "High Score" 10
sleep 0.3
scores=$(shot high-scores)
read -r first last <<<"$(pixels "$scores" 80,212 590,698)"
[ "$first" != "255,255,255" ] || fail "the first entry shows no insignia"
[ "$last" = "255,255,255" ] || fail "the last entry shows an insignia"
click_at "$BACK"
wait_window "Zentorra" 10
[ "$WIN" = "$menu" ] || fail "Back did not show the menu"

click_at "$QUIT"
wait_exit 10
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "PASS whole visit"

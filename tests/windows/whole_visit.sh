#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A whole visit under Wine: a new player's game with one turn and Exit, a returning player
# who continues a saved game and leaves it, both files byte for byte, and Quit with exit
# status 0.
# shellcheck source=wine_e2e_lib.sh
source "$(dirname "$0")/wine_e2e_lib.sh" "$@"

start_x 1280 1024
wine_prefix
fresh_copy
write_marker
veteran='"500"\r\n"3"\r\n"3"\r\n"0"\r\n'
printf '%b' "$veteran" >"$RUN_DIR/data/Veteran.dat"
launch

wait_menu
menu=$WIN
sleep 0.3
shot menu

# A new player goes straight to a fresh game; a right press on the inner cell (3, 3)
# turns its ring, and Exit saves.
enter_name Tester
wait_window "Zentorra" 10 "$menu"
game=$WIN
board=$(settled_board game-dealt)
click_at 262 412 3
sleep 0.1
shot game-turning >/dev/null
after=$(settled_board game-after-turn)
[ "$(cell_colours "$board")" != "$(cell_colours "$after")" ] || fail "the turn changed nothing"
click_at "$GAME_EXIT"
wait_window "Zentorra" 10 "$game"
[ "$WIN" = "$menu" ] || fail "the menu came back as a new window"
tester="$RUN_DIR/data/Tester.dat"
LC_ALL=C grep -Pzq '^("[0-9]+"\r\n){4}$' "$tester" || fail "save file format: $(hex "$tester")"
tester_points=$(($(head -1 "$tester" | tr -d '"\r') * 100))

# A returning player continues and leaves at once: the save comes back byte for byte, and
# the table holds that player above the new one (a result of 0 points is not entered).
enter_name Veteran
sleep 0.3
click_at "$CONTINUE"
wait_window "Zentorra" 10 "$menu"
game=$WIN
settled_board game-continued >/dev/null
click_at "$GAME_EXIT"
wait_window "Zentorra" 10 "$game"
[ "$(hex "$RUN_DIR/data/Veteran.dat")" = "$(printf '%b' "$veteran" | od -An -v -tx1 | tr -d ' \n')" ] ||
  fail "Veteran.dat holds $(hex "$RUN_DIR/data/Veteran.dat")"
score_file='"Veteran"\r\n50000\r\n'
entries=1
if [ "$tester_points" -gt 0 ]; then
  score_file+="\"Tester\"\\r\\n$tester_points\\r\\n"
  entries=2
fi
for _ in $(seq $((8 - entries))); do score_file+='""\r\n0\r\n'; done
[ "$(hex "$RUN_DIR/data/score.dat")" = "$(printf '%b' "$score_file" | od -An -v -tx1 | tr -d ' \n')" ] ||
  fail "score.dat holds $(cat -A "$RUN_DIR/data/score.dat")"

click_at "$QUIT"
wait_exit 10
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "PASS whole visit under Wine (Tester: $tester_points points)"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Two copies of the game in one folder: the first reads the high-score table at its start,
# the second enters a result meanwhile, and the first one's result then goes in beside
# it instead of writing over it.
# shellcheck source=e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh" "$@"

start_x 1280 1024
fresh_copy
write_marker
printf '"500"\r\n"0"\r\n"0"\r\n"0"\r\n' >"$RUN_DIR/data/Ann.dat"
printf '"300"\r\n"0"\r\n"0"\r\n"0"\r\n' >"$RUN_DIR/data/Bob.dat"

# Continues the player's saved game and leaves it at once, back on the menu WIN. The
# other copy's windows are excluded from the search.
visit() {
  local name=$1 others=$2 menu=$WIN game
  enter_name "$name"
  click_at "$CONTINUE"
  wait_window "Zentorra" 10 "$others $menu"
  game=$WIN
  sleep 1  # the board is dealt
  click_at "$GAME_EXIT"
  wait_gone "$game"
  WIN=$menu
  window_geometry "$WIN"
}

launch
first=$GAME_PID
wait_menu
first_menu=$WIN
launch
wait_menu "$first_menu"
second_menu=$WIN

visit Bob "$first_menu"
click_at "$QUIT"
wait_exit 10
[ "$EXIT_STATUS" = 0 ] || fail "the second copy's exit status $EXIT_STATUS"
table="$RUN_DIR/data/score.dat"
[ "$(sed -n 1p "$table" | tr -d '\r')" = '"Bob"' ] || fail "Bob is not in the table: $(cat -A "$table")"

GAME_PID=$first
WIN=$first_menu
window_geometry "$WIN"
visit Ann "$second_menu"
lines=$(head -4 "$table" | tr -d '\r' | tr '\n' ' ')
[ "$lines" = '"Ann" 50000 "Bob" 30000 ' ] || fail "the table lost an entry: $(cat -A "$table")"
click_at "$QUIT"
wait_exit 10
[ "$EXIT_STATUS" = 0 ] || fail "the first copy's exit status $EXIT_STATUS"
echo "PASS two copies ($lines)"

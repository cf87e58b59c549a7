#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A game under Wine on a machine without any audio device: the sounds load without a
# message, the game plays silently, and leaving and Quit work as ever.
# shellcheck source=wine_e2e_lib.sh
source "$(dirname "$0")/wine_e2e_lib.sh" "$@"

start_x 1280 1024
wine_prefix none
fresh_copy
write_marker
launch

wait_menu
menu=$WIN
[ "$(viewable_windows "Zentorra" | wc -l)" = 1 ] || fail "a message box came with the menu"
enter_name Quiet
wait_window "Zentorra" 10 "$menu"
game=$WIN
settled_board game-dealt >/dev/null
click_at 262 412 3  # a turn plays the turn sound, and maybe the line sound
settled_board game-after-turn >/dev/null
click_at 720 690  # the music switch
sleep 0.3
click_at "$GAME_EXIT"
wait_window "Zentorra" 10 "$game"
[ -f "$RUN_DIR/data/Quiet.dat" ] || fail "no save file"
click_at "$QUIT"
wait_exit 10
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "PASS a silent game under Wine"

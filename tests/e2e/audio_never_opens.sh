#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# An audio driver that never answers (here SDL's disk driver writing into a named pipe
# nobody reads): the menu works, and Quit still ends the program at once.
# shellcheck source=e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh" "$@"

start_x 1280 1024
fresh_copy
write_marker
mkfifo "$RUN_DIR/audio.pipe"
launch env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$RUN_DIR/audio.pipe"

wait_menu
shot menu
click_at "$QUIT"
start=$(date +%s%N)
wait_exit 5
took=$((($(date +%s%N) - start) / 1000000))
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "PASS audio never opens (ended ${took} ms after Quit)"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The X server goes away while the menu's music plays (the player logs out): the program
# ends with a failure status and says why, without a crash, however the ending meets the
# audio thread. A few rounds, since that meeting is a matter of timing.
# shellcheck source=e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh" "$@"

for round in 1 2 3 4; do
  start_x 1280 1024
  fresh_copy
  write_marker
  launch env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$RUN_DIR/audio.raw"
  wait_menu
  sleep "0.$((round * 2))"
  kill -KILL "$XVFB_PID"
  wait "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=""
  unset DISPLAY
  wait_exit 10
  [ "$EXIT_STATUS" = 1 ] || fail "round $round: exit status $EXIT_STATUS"
  grep -q "the connection to the display was lost" "$RUN_DIR/zentorra.log" ||
    fail "round $round: no word of the lost display"
  ! grep -q -E "Sanitizer|runtime error" "$RUN_DIR/zentorra.log" || fail "round $round: a sanitizer spoke"
  rm -rf "$RUN_DIR"
  RUN_DIR=""
done
echo "PASS display lost (4 rounds)"

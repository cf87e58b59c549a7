#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The session ends with a game open: SIGTERM and SIGHUP (a logout, a shutdown), SIGINT
# (Ctrl+C), the display gone, and the game's window destroyed by another program. Each
# time the game is saved and entered into the table as the window's close would, and the
# program ends without a crash (a destroyed window leaves through the menu first).
# shellcheck source=e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh" "$@"

# A returning player's game is open; sets GAME to its window. The save is written by hand
# without quotes, so only a save by the program turns it into the quoted form.
open_game() {
  start_x 1280 1024
  fresh_copy
  write_marker
  printf '500\r\n3\r\n3\r\n0\r\n' >"$RUN_DIR/data/Ann.dat"
  launch env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$RUN_DIR/audio.raw"
  wait_menu
  MENU=$WIN
  enter_name Ann
  click_at "$CONTINUE"
  wait_window "Zentorra" 10 "$MENU"
  GAME=$WIN
  sleep 0.5
}

expect_saved() {
  local how=$1 table="$RUN_DIR/data/score.dat"
  [ "$(hex "$RUN_DIR/data/Ann.dat")" = "$(printf '"500"\r\n"3"\r\n"3"\r\n"0"\r\n' | od -An -v -tx1 | tr -d ' \n')" ] ||
    fail "$how: the game was not saved: $(cat -A "$RUN_DIR/data/Ann.dat")"
  [ "$(head -2 "$table" 2>/dev/null | tr -d '\r' | tr '\n' ' ')" = '"Ann" 50000 ' ] ||
    fail "$how: not in the table: $(cat -A "$table" 2>/dev/null)"
  ! grep -q -E "Sanitizer|runtime error|Segmentation" "$RUN_DIR/zentorra.log" ||
    fail "$how: $(cat "$RUN_DIR/zentorra.log")"
}

end_round() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
  rm -rf "$RUN_DIR"
  RUN_DIR=""
}

for signal in TERM HUP INT; do
  open_game
  kill -"$signal" "$(program_pid)"
  wait_exit 10
  [ "$EXIT_STATUS" = 0 ] || fail "SIG$signal: exit status $EXIT_STATUS"
  expect_saved "SIG$signal"
  end_round
done

# The files need no display.
open_game
kill -KILL "$XVFB_PID"
wait "$XVFB_PID" 2>/dev/null || true
XVFB_PID=""
unset DISPLAY
wait_exit 10
[ "$EXIT_STATUS" = 1 ] || fail "lost display: exit status $EXIT_STATUS"
expect_saved "lost display"
end_round

# Another program destroys the game's window: that is its close, back to the menu; then
# the menu's, which ends the program.
open_game
xdotool windowclose "$GAME"
wait_window "Zentorra" 10 "$GAME"
[ "$WIN" = "$MENU" ] || fail "the menu did not come back after the game's window went"
expect_saved "destroyed window"
xdotool windowclose "$MENU"
wait_exit 10
[ "$EXIT_STATUS" = 0 ] || fail "destroyed window: exit status $EXIT_STATUS"
expect_saved "destroyed window"
echo "PASS session end (3 signals, lost display, destroyed windows)"

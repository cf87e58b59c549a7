#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every screen of a first start and a game won, watched from the X server by window_watch:
# each window shows its own picture the moment it is mapped (not a black or empty frame),
# and a screen that replaces another is on the screen before the other goes.
# Usage: screen_changes.sh <program folder> <screenshot folder> <test name> <window_watch>
# shellcheck source=e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh" "$@"
WATCH=$4

PLAY_NOW="154 324"  # the how-to-play screen's "Play Now!"

start_x 1280 1024
fresh_copy
# A general at the last rank: the first move of the continued game wins it.
printf '"100000"\r\n"0"\r\n"24"\r\n"9"\r\n' >"$RUN_DIR/data/General.dat"

log="$SHOT_DIR/$TEST_NAME-windows.txt"
firsts="$SHOT_DIR/$TEST_NAME-first"
rm -rf "$firsts" && mkdir -p "$firsts"
"$WATCH" "$firsts" >"$log" &
watch_pid=$!
stop_watch() {
  kill "$watch_pid" 2>/dev/null || true
  wait "$watch_pid" 2>/dev/null || true
}
trap 'stop_watch; cleanup' EXIT
for _ in $(seq 50); do grep -q watching "$log" && break; sleep 0.1; done

launch
wait_window "How To Play" 10
click_at "$PLAY_NOW"
wait_window "Zentorra" 10
splash=$WIN
wait_window "Zentorra" 10 "$splash"
menu=$WIN

# A name typed into the menu's box and entered with the Enter key; the menu is only
# hidden while a game runs, so the box still holds the last name.
enter_name() {
  click_at "$PLAY"
  xdotool key End
  xdotool key --repeat 20 --delay 20 BackSpace
  xdotool type --delay 40 "$1"
  xdotool key Return
}

# Into a new game, out again, the high scores and back.
enter_name Rookie
wait_window "Zentorra" 10 "$menu"
game=$WIN
sleep 0.5
click_at "$GAME_EXIT"
wait_gone "$game" 10
click_at "$SCORE"
wait_window "High Score" 10
click_at "$BACK"
wait_gone "$WIN" 10

# The general's game: one turn ends the move, and the last rank wins. An ice crystal
# cannot be turned about, and at this rank the board holds many: the next cell is tried.
enter_name General
sleep 0.3
click_at "$CONTINUE"
wait_window "Zentorra" 10 "$menu"
for cell in "262 412" "337 487" "187 337" "412 562" "337 337" "187 487"; do
  click_at "$cell" 3
  for _ in $(seq 20); do [ -n "$(viewable_windows "Win!")" ] && break 2; sleep 0.1; done
done
wait_window "Win!" 10
wait_exit 10
sleep 0.2
stop_watch

cat "$log"
for ppm in "$firsts"/*.ppm; do convert "$ppm" "${ppm%.ppm}.png" && rm "$ppm"; done
grep -q '^shown "Win!"' "$log" || fail "the watch did not see the win screen"
# A window's first frame is its own picture: at least 80 % of it stays as the settled
# window shows it (the splash fades its title, a fifth of the window at most).
awk '$1 == "shown" && !(match($0, / same=[0-9]+/) && substr($0, RSTART + 6) + 0 >= 80) {
       print; bad = 1 }
     END {exit bad}' "$log" || fail "a window first showed something else than its picture"
! grep '^gap' "$log" || fail "no window was on the screen between two screens"
gone=$(grep -c '^gone' "$log")
awk -v last="$gone" '$1 == "gone" && ++n < last && / others=0$/ {print; bad = 1}
     END {exit bad}' "$log" || fail "a screen went before the next one appeared"
echo "PASS screen changes"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The installed game as an ordinary player runs it: installed into a temporary DESTDIR,
# started with the desktop entry's command as `nobody` (when run as root) with a home of
# its own. The first start shows How To Play and writes fr.dat into the player's data
# folder; a visit saves the player and the table there; the next start goes straight to
# the splash; and nothing is written into the installed folders.
# Usage: installed.sh <program folder> <screenshot folder> <test name> <build folder>
# shellcheck source=e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh" "$@"
BUILD_DIR=$4

RUN_DIR=$(mktemp -d "${TMPDIR:-/tmp}/zentorra-e2e.XXXXXX")
chmod 755 "$RUN_DIR"
DEST=$RUN_DIR/dest
HOME_DIR=$RUN_DIR/home
PLAYER_DIR=$HOME_DIR/xdg-data/zentorra
DESTDIR=$DEST cmake --install "$BUILD_DIR" >"$RUN_DIR/install.log" ||
  fail "install: $(cat "$RUN_DIR/install.log")"
mkdir "$HOME_DIR"
as_player=()
if [ "$(id -u)" = 0 ]; then
  chown nobody: "$HOME_DIR"
  as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
touch "$RUN_DIR/installed-stamp"

# The command a desktop's menu runs (the entry has no field codes to fill in); the program
# it names lies under DESTDIR here.
entry=$(find "$DEST" -path '*/share/applications/zentorra.desktop')
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[ "${exec_line:0:1}" = / ] || fail "the desktop entry's Exec is not a path: $exec_line"
exec_line=$DEST$exec_line

launch_installed() {
  # shellcheck disable=SC2086
  (cd "$HOME_DIR" && exec "${as_player[@]}" env HOME="$HOME_DIR" \
    XDG_DATA_HOME="$HOME_DIR/xdg-data" $exec_line >"$RUN_DIR/zentorra.log" 2>&1) &
  GAME_PID=$!
}

start_x 1280 1024
launch_installed
wait_window "How To Play" 10
shot how-to-play
[ "$(hex "$PLAYER_DIR/fr.dat" 2>/dev/null)" = "22383631313034220d0a" ] ||
  fail "no 10-byte fr.dat in $PLAYER_DIR: $(ls -la "$PLAYER_DIR" 2>&1)"

wait_window "Zentorra" 20
splash=$WIN
wait_window "Zentorra" 10 "$splash"
menu=$WIN
sleep 0.3
click_at "$PLAY"
xdotool type --delay 40 "Player1"
sleep 0.2
click_at "$OK"
wait_window "Zentorra" 10 "$menu"
game=$WIN
sleep 2
shot game
click_at "$GAME_EXIT"
wait_window "Zentorra" 10 "$game"
LC_ALL=C grep -Pzq '^("[0-9]+"\r\n){4}$' "$PLAYER_DIR/data/Player1.dat" 2>/dev/null ||
  fail "no save in $PLAYER_DIR/data: $(ls -la "$PLAYER_DIR/data" 2>&1)"
LC_ALL=C grep -Pzq '^("[A-Za-z0-9]*"\r\n-?[0-9]+\r\n){8}$' "$PLAYER_DIR/data/score.dat" 2>/dev/null ||
  fail "no table in $PLAYER_DIR/data"
click_at "$QUIT"
wait_exit 10
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"

# The marker in the player's folder makes the next start a later one.
launch_installed
wait_window "Zentorra" 10
[ -z "$(viewable_windows "How To Play")" ] || fail "How To Play came again on the second start"
splash=$WIN
wait_window "Zentorra" 10 "$splash"
click_at "$QUIT"
wait_exit 10
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS on the second start"

written=$(find "$DEST" -newer "$RUN_DIR/installed-stamp")
[ -z "$written" ] || fail "written into the installed folders: $written"
echo "PASS installed"

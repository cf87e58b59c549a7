#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# First start under Wine in a folder without fr.dat: the how-to-play demonstration comes
# first and writes the 10-byte marker; when it ends, the splash and then the menu appear,
# and Quit ends the program with status 0. Before that, a start without any display fails
# cleanly.
# shellcheck source=wine_e2e_lib.sh
source "$(dirname "$0")/wine_e2e_lib.sh" "$@"

start_x 1280 1024
wine_prefix
fresh_copy

# Without a display Wine has no desktop: the program says so and ends, and the first start
# is still to come: no marker is written.
launch env -u DISPLAY
wait_exit 20
[ "$EXIT_STATUS" = 1 ] || fail "exit status $EXIT_STATUS without a display"
grep -q "Cannot open the display" "$RUN_DIR/zentorra.log" || fail "no word of the missing display"
[ ! -e "$RUN_DIR/fr.dat" ] || fail "fr.dat was written without a display"
wineserver -w  # Wine's session without a display ends before one with the display starts

launch

wait_window "How To Play" 20
[ -f "$RUN_DIR/fr.dat" ] || fail "fr.dat was not written"
[ "$(hex "$RUN_DIR/fr.dat")" = "22383631313034220d0a" ] ||
  fail "fr.dat holds $(hex "$RUN_DIR/fr.dat") instead of \"861104\" CR LF"
sleep 0.5
shot how-to-play-first-pause

wait_window "Zentorra" 20
splash=$WIN
[ -z "$(viewable_windows "How To Play")" ] || fail "the how-to-play window stayed"
sleep 0.7  # the title at full strength
shot splash

wait_window "Zentorra" 10 "$splash"
sleep 0.5
shot menu
[ "$(viewable_windows "Zentorra" | wc -l)" = 1 ] || fail "the splash did not go away"

click_at 740 666  # Quit
wait_exit 10
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "PASS first start under Wine"

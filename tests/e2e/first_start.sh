#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# First start in a folder without fr.dat: the how-to-play demonstration comes first and
# writes the 10-byte marker; when it ends, the splash and then the menu appear. Before
# that, a start without any display fails cleanly.
# shellcheck source=e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh" "$@"

fresh_copy

# Without a window system the program says so and ends, and the first start is still to
# come: no marker is written.
launch env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY=:4321
wait_exit 10
[ "$EXIT_STATUS" = 1 ] || fail "exit status $EXIT_STATUS without a display"
grep -q "Cannot open the display" "$RUN_DIR/zentorra.log" || fail "no word of the missing display"
[ ! -e "$RUN_DIR/fr.dat" ] || fail "fr.dat was written without a display"

start_x 1280 1024
launch

wait_window "How To Play" 10
[ -f "$RUN_DIR/fr.dat" ] || fail "fr.dat was not written"
[ "$(hex "$RUN_DIR/fr.dat")" = "22383631313034220d0a" ] ||
  fail "fr.dat holds $(hex "$RUN_DIR/fr.dat") instead of \"861104\" CR LF"
sleep 0.5
shot how-to-play-first-pause
sleep 5  # the ring has turned clockwise and waits in the second pause
shot how-to-play-turned

wait_window "Zentorra" 15
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
echo "PASS first start"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# With SDL's disk audio driver, the menu's music reaches the output file: the output holds
# the music itself, at its own level and without a skip.
# shellcheck source=e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh" "$@"

start_x 1280 1024
fresh_copy
write_marker
out="$RUN_DIR/audio.raw"
launch env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out"

wait_menu
shot menu
sleep 3  # the start-up sound is over; the music goes on
start=$(($(stat -c %s "$out") / 8 * 8))  # whole stereo float frames
sleep 2
end=$(($(stat -c %s "$out") / 8 * 8))
[ "$end" -gt "$start" ] || fail "no audio written while the menu was shown"
dd if="$out" of="$RUN_DIR/menu.raw" bs=64K iflag=skip_bytes,count_bytes skip="$start" \
  count="$((end - start))" status=none
"${ZT_MUSIC_MATCH:?}" "$RUN_DIR/menu.raw" "$RUN_DIR/Sound/formal.wav" ||
  fail "the menu's output is not the music"
click_at "$QUIT"
wait_exit 10
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "PASS disk audio ($((end - start)) bytes in 2 s)"

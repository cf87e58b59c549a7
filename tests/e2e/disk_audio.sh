#!/usr/bin/env bash
# With SDL's disk audio driver, the menu's music reaches the output file and is not
# silence.
source "$(dirname "$0")/e2e_lib.sh" "$@"

start_x 1280 1024
fresh_copy
write_marker
out="$RUN_DIR/audio.raw"
launch env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out"

wait_window "Zentorra" 10
splash=$WIN
wait_window "Zentorra" 10 "$splash"
shot menu
sleep 3  # the start-up sound is over; the music goes on
start=$(stat -c %s "$out")
sleep 2
end=$(stat -c %s "$out")
[ "$end" -gt "$start" ] || fail "no audio written while the menu was shown"
# Silence is one repeated byte value (0 for signed samples, 128 for unsigned ones).
values=$(tail -c +"$((start + 1))" "$out" | head -c "$((end - start))" | od -An -v -tu1 |
  tr -s ' ' '\n' | grep -v '^$' | sort -u | wc -l)
[ "$values" -gt 16 ] || fail "the menu's output is silent ($values byte values)"
click_at 740 666
status=$(wait_exit 10)
[ "$status" = 0 ] || fail "exit status $status"
echo "PASS disk audio ($((end - start)) bytes in 2 s, $values byte values)"

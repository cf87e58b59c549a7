#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The desktop's own wave output under Wine: with ALSA's file output as Wine's audio
# device, the menu's music reaches the file and is not silence.
# shellcheck source=wine_e2e_lib.sh
source "$(dirname "$0")/wine_e2e_lib.sh" "$@"

start_x 1280 1024
wine_prefix
fresh_copy
write_marker
out="$RUN_DIR/audio.raw"
cat >"$RUN_DIR/asound.conf" <<CONF
pcm.!default { type file; slave.pcm "discard"; file "$out"; format "raw" }
pcm.discard { type null }
CONF
launch env ALSA_CONFIG_PATH="$RUN_DIR/asound.conf"

wait_menu
shot menu
sleep 3  # the start-up sound is over; the music goes on
[ -f "$out" ] || fail "Wine opened no audio device"
start=$(stat -c %s "$out")
sleep 2
end=$(stat -c %s "$out")
[ "$end" -gt "$start" ] || fail "no audio written while the menu was shown"
# Silence is one repeated byte value (0 for signed samples, 128 for unsigned ones).
tail -c +"$((start + 1))" "$out" >"$RUN_DIR/menu.raw"
values=$(head -c "$((end - start))" "$RUN_DIR/menu.raw" | od -An -v -tu1 | tr -s ' ' '\n' |
  grep -v '^$' | sort -u | wc -l)
[ "$values" -gt 16 ] || fail "the menu's output is silent ($values byte values)"
click_at "$QUIT"
wait_exit 10
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "PASS audio under Wine ($((end - start)) bytes in 2 s, $values byte values)"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Measures the program under Xvfb: time from start to the first visible splash frame,
# CPU use of the idle menu with its music timer running, and the peak memory of a whole
# visit (whole_visit.sh under /usr/bin/time -v). Not a test: it prints figures.
# Usage: tests/e2e/measure.sh build/program (first_frame_probe is built beside it, in
# build/bench, by the benchmarks target)
here=$(cd "$(dirname "$0")" && pwd)
program=$(cd "$1" && pwd)
probe=$program/../bench/first_frame_probe
out=$(mktemp -d)
# shellcheck source=e2e_lib.sh
source "$here/e2e_lib.sh" "$program" "$out" measure

start_x 1280 1024

# Start to first splash frame, by first_frame_probe: the map is an X event seen as it
# happens; the frame is the first read-back (every millisecond) of the splash's white.
mapped=()
drawn=()
for _ in 1 2 3 4 5; do
  fresh_copy
  write_marker
  read -r map frame < <(cd "$RUN_DIR" && "$probe" FFFFFF ./zentorra 2>/dev/null) ||
    fail "the splash did not appear"
  mapped+=("$map")
  drawn+=("$frame")
  rm -rf "$RUN_DIR"
  RUN_DIR=""
done
echo "start to splash window mapped (ms, 5 runs): ${mapped[*]}"
echo "start to first splash frame (ms, 5 runs): ${drawn[*]}"

# Idle menu: CPU time over 10 s after the menu has settled.
fresh_copy
write_marker
launch
wait_window "Zentorra" 10
splash=$WIN
wait_window "Zentorra" 10 "$splash"
sleep 2
c0=$(ticks "$GAME_PID")
sleep 10
c1=$(ticks "$GAME_PID")
hz=$(getconf CLK_TCK)
echo "idle menu CPU over 10 s: $(awk -v d=$((c1 - c0)) -v hz="$hz" 'BEGIN {printf "%.2f%% of one core", 100 * d / hz / 10}')"
click_at 740 666
wait_exit 10
rm -rf "$RUN_DIR"
RUN_DIR=""
kill "$XVFB_PID"
wait "$XVFB_PID" 2>/dev/null || true
XVFB_PID=""

# Peak memory of a whole visit.
ZT_E2E_WRAP="/usr/bin/time -v -o $out/time.txt" bash "$here/whole_visit.sh" "$program" "$out" visit >/dev/null
echo "whole visit peak memory: $(awk -F': ' '/Maximum resident/ {printf "%.1f MB", $2 / 1024}' "$out/time.txt")"
rm -rf "$out"

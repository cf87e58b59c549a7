#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Measures the Windows program under Wine and Xvfb: start to the first visible splash
# frame (and how long Wine takes to start and end a program that does nothing), and the
# CPU use of the idle menu with its music timer running, the program's own and that of
# Wine's server and services. Not a test: it prints figures.
# Usage: tests/windows/measure.sh build-windows/program build/bench/first_frame_probe
here=$(cd "$(dirname "$0")" && pwd)
program=$(cd "$1" && pwd)
probe=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
out=$(mktemp -d)
# shellcheck source=wine_e2e_lib.sh
source "$here/wine_e2e_lib.sh" "$program" "$out" measure

start_x 1280 1024
wine_prefix
wine=$(command -v wine)
ms_since() { echo $((($(date +%s%N) - $1) / 1000000)); }

# Wine's own start: the first program of a prefix starts the server and Wine's services
# too; later ones find them running. (wine_prefix has waited for the server to end; it
# stays for 3 s after its last program, and the runs below follow each other sooner.)
start=$(date +%s%N)
fixed_layout wine cmd.exe /c exit 0 >/dev/null 2>&1
cold=$(ms_since "$start")
empty=()
for _ in 1 2 3 4 5; do
  start=$(date +%s%N)
  fixed_layout wine cmd.exe /c exit 0 >/dev/null 2>&1
  empty+=("$(ms_since "$start")")
done
echo "Wine: first program of a fresh session ${cold} ms; a program that does nothing (ms, 5 runs): ${empty[*]}"

mapped=()
drawn=()
for _ in 1 2 3 4 5; do
  fresh_copy
  write_marker
  read -r map frame < <(cd "$RUN_DIR" &&
    fixed_layout "$probe" FFFFFF "$wine" ./zentorra.exe 2>/dev/null) ||
    fail "the splash did not appear"
  mapped+=("$map")
  drawn+=("$frame")
  rm -rf "$RUN_DIR"
  RUN_DIR=""
done
echo "start to splash window mapped (ms, 5 runs): ${mapped[*]}"
echo "start to first splash frame (ms, 5 runs): ${drawn[*]}"

# Idle menu: CPU time over 10 s after the menu has settled, of the program and of each
# other process of this Wine prefix (the server and Wine's services).
fresh_copy
write_marker
launch
wait_window "Zentorra" 20
splash=$WIN
wait_window "Zentorra" 10 "$splash"
sleep 2
prefix_processes() {
  local p
  for p in /proc/[0-9]*; do
    tr '\0' '\n' 2>/dev/null <"$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "${p#/proc/}"
  done
  return 0
}
hz=$(getconf CLK_TCK)
percent() { awk -v d="$1" -v hz="$hz" 'BEGIN {printf "%.2f%%", 100 * d / hz / 10}'; }
declare -A before
processes=$(prefix_processes)
for p in $processes; do before[$p]=$(ticks "$p"); done
sleep 10
echo "idle menu CPU over 10 s, of one core:"
for p in $processes; do
  name=$(tr '\0' ' ' <"/proc/$p/cmdline" 2>/dev/null | sed 's/ *$//')
  echo "  $(percent $(($(ticks "$p") - before[$p])))  $name"
done
click_at "$QUIT"
wait_exit 10
rm -rf "$out"

# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# Shared steps of the end-to-end tests: a private X server, a fresh copy of the program
# folder, windows found by title, clicks, screenshots and pixel checks.
# Usage from a test: source e2e_lib.sh <program folder> <screenshot folder> <test name>
set -euo pipefail

PROGRAM_DIR=$1
SHOT_DIR=$2
TEST_NAME=$3
mkdir -p "$SHOT_DIR"

XVFB_PID=""
WM_PID=""
GAME_PID=""
RUN_DIR=""

fail() {
  echo "FAIL ($TEST_NAME): $*" >&2
  [ -n "${DISPLAY:-}" ] && import -window root "$SHOT_DIR/$TEST_NAME-failure.png" 2>/dev/null
  # Where a program that still runs is waiting: every thread's stack, for the report (where
  # gdb is installed). ZT_E2E_CORE=1 also saves its core, to look at its state.
  if [ -n "$GAME_PID" ] && running && command -v gdb >/dev/null; then
    gdb -p "$(program_pid)" -batch -ex 'thread apply all bt' \
      ${ZT_E2E_CORE:+-ex "generate-core-file $SHOT_DIR/core"} >"$SHOT_DIR/$TEST_NAME-stacks.txt" 2>&1
    grep -E '^(Thread|#)' "$SHOT_DIR/$TEST_NAME-stacks.txt" | sed 's/^/  stack: /' >&2
  fi
  if [ -n "$RUN_DIR" ] && [ -f "$RUN_DIR/zentorra.log" ]; then
    cp "$RUN_DIR/zentorra.log" "$SHOT_DIR/$TEST_NAME.log"
    grep -v '^ALSA lib' "$RUN_DIR/zentorra.log" | sed 's/^/  program: /' >&2
  fi
  exit 1
}

cleanup() {
  if [ -n "$GAME_PID" ]; then  # let it end before its X server goes away
    kill "$GAME_PID" 2>/dev/null || true
    for _ in $(seq 30); do running || break; sleep 0.1; done
  fi
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
  if [ -n "$XVFB_PID" ]; then  # gone before the next test starts its own
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  # ZT_E2E_KEEP=1 keeps the program folder (log, files, a core dump) for a look.
  [ -n "$RUN_DIR" ] && [ -z "${ZT_E2E_KEEP:-}" ] && rm -rf "$RUN_DIR"
  [ -n "${ZT_E2E_KEEP:-}" ] && echo "kept $RUN_DIR" >&2
  return 0
}
trap cleanup EXIT

# Starts Xvfb with a screen of the given size, and any further server options. The
# server picks a free display number
# itself and writes it once it accepts connections: a number found free by looking for
# its files could still belong to a server that is shutting down. By default the server
# resets whenever its last client leaves, and drops a connection that comes meanwhile:
# the program's own, when a window lookup of ours ended just before it started.
start_x() {
  local width=$1 height=$2 numberFile
  shift 2
  numberFile=$(mktemp "${TMPDIR:-/tmp}/zentorra-e2e-display.XXXXXX")
  Xvfb -displayfd 3 -noreset -screen 0 "${width}x${height}x24" -nolisten tcp "$@" \
    3>"$numberFile" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    if [ -s "$numberFile" ]; then
      DISPLAY=":$(head -1 "$numberFile")"
      export DISPLAY
      rm -f "$numberFile"
      return 0
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$numberFile"
  fail "Xvfb did not start"
}

# A real window manager on the X server (openbox, as it comes): window decorations, focus
# that follows the active window, full screen and maximise as a desktop does them.
start_wm() {
  openbox >/dev/null 2>&1 &
  WM_PID=$!
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  fail "openbox did not start"
}

# Keys to the window that has the keyboard focus, as a player types them.
keys() {
  local k
  for k in "$@"; do
    xdotool key "$k"
    sleep 0.15
  done
}

# A fresh installation: the built program folder without any marker, save or table.
fresh_copy() {
  RUN_DIR=$(mktemp -d "${TMPDIR:-/tmp}/zentorra-e2e.XXXXXX")
  cp -rL "$PROGRAM_DIR"/. "$RUN_DIR"/
  rm -f "$RUN_DIR/fr.dat" "$RUN_DIR"/data/*
}

write_marker() { printf '"861104"\r\n' >"$RUN_DIR/fr.dat"; }

# Starts the program in the fresh folder, after the given command words (env ...) and
# those of ZT_E2E_WRAP (a measuring wrapper).
launch() {
  # shellcheck disable=SC2086
  (cd "$RUN_DIR" && exec "$@" ${ZT_E2E_WRAP:-} ./zentorra >zentorra.log 2>&1) &
  GAME_PID=$!
}

# The program's own process id: the launch subshell execs it, through any wrapper.
program_pid() { pgrep -n -P "$GAME_PID" zentorra || echo "$GAME_PID"; }

# Whether the program still runs (a crashed child stays a zombie until it is collected).
running() { ps -o stat= -p "$GAME_PID" 2>/dev/null | grep -qv Z; }

# Waits for the program to end and sets EXIT_STATUS. Not in a subshell: only this shell
# can collect its child's status.
wait_exit() {
  local timeout=${1:-10}
  for _ in $(seq $((timeout * 10))); do
    # shellcheck disable=SC2034  # read by the tests that source this library
    if ! running; then
      EXIT_STATUS=0
      wait "$GAME_PID" || EXIT_STATUS=$?
      GAME_PID=""
      return 0
    fi
    sleep 0.1
  done
  fail "the program did not end within ${timeout}s"
}

# Ids of the viewable top-level windows with exactly this title, one a line (in the
# whole tree: a window manager puts each window into a frame of its own).
viewable_windows() {
  local title=$1 id
  xwininfo -root -tree 2>/dev/null | grep -F "\"$title\":" | awk '{print $1}' |
    while read -r id; do
      xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$id"
    done
  return 0
}

# Waits until a viewable window with the title exists whose id is not among the
# excluded ones; sets WIN (its id) and WIN_X, WIN_Y, WIN_W, WIN_H.
wait_window() {
  local title=$1 timeout=${2:-10} exclude=${3:-} id
  for _ in $(seq $((timeout * 20))); do
    for id in $(viewable_windows "$title"); do
      case " $exclude " in *" $id "*) continue ;; esac
      WIN=$id
      window_geometry "$WIN"
      sleep 0.3  # a window just mapped may not take a press yet
      return 0
    done
    running || fail "the program ended while waiting for \"$title\""
    sleep 0.05
  done
  fail "no window \"$title\" within ${timeout}s"
}

window_geometry() {
  local info
  info=$(xwininfo -id "$1")
  WIN_X=$(echo "$info" | awk '/Absolute upper-left X/ {print $4}')
  WIN_Y=$(echo "$info" | awk '/Absolute upper-left Y/ {print $4}')
  WIN_W=$(echo "$info" | awk '/^ *Width:/ {print $2}')
  WIN_H=$(echo "$info" | awk '/^ *Height:/ {print $2}')
}

wait_gone() {
  local id=$1 timeout=${2:-10}
  for _ in $(seq $((timeout * 20))); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || return 0
    sleep 0.05
  done
  fail "window $id still shown after ${timeout}s"
}

# Presses a mouse button at a pixel of the current window WIN (1 left, 3 right): the
# pixel as two words or as one "x y" word, as the positions below are kept.
click_at() {
  local x y button
  read -r x y button <<<"$*"
  button=${button:-1}
  xdotool mousemove $((WIN_X + x)) $((WIN_Y + y))
  sleep 0.05
  # Held for a moment, as a finger holds it.
  xdotool mousedown "$button"
  sleep 0.15
  xdotool mouseup "$button"
  sleep 0.1
}

# Saves the current window WIN as <screenshot folder>/<test>-<name>.png.
shot() {
  local file="$SHOT_DIR/$TEST_NAME-$1.png"
  import -window root -crop "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}" +repage "$file"
  echo "$file"
}

# The colour of pixels of a picture as "r,g,b" words, for the given "x,y" points.
pixels() {
  local file=$1 format="" p c
  shift
  for p in "$@"; do
    for c in r g b; do format+="%[fx:round(255*p{$p}.$c)]"; [ $c = b ] || format+=","; done
    format+=" "
  done
  convert "$file" -format "$format" info: | sed "s/ $//"
}

# A file's bytes as hexadecimal.
hex() { od -An -v -tx1 "$1" | tr -d ' \n'; }

# The CPU time a process has used so far (user and system, in clock ticks); 0 once gone.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }

# Menu, game and high-score screen positions (pixels of each window).
# shellcheck disable=SC2034  # read by the tests that source this library
{
  PLAY="227 666"
  SCORE="400 664"
  QUIT="740 666"
  OK="200 568"
  CONTINUE="234 559"
  GAME_EXIT="899 699"
  BACK="952 84"
}

# How long the first window of a start may take.
FIRST_WINDOW_WAIT=10

# Waits for a splash and the menu after it, the menu being no window among the excluded
# ones; sets WIN to the menu.
wait_menu() {
  local exclude=${1:-}
  wait_window "Zentorra" "$FIRST_WINDOW_WAIT" "$exclude"
  wait_window "Zentorra" 10 "$exclude $WIN"
}

# Types a name on the menu (WIN) and presses OK. The menu was only hidden while a game
# ran, so the box may still hold the last name. Without a window manager the keyboard
# goes where the X server's focus is, which a closed window may have taken with it.
enter_name() {
  click_at "$PLAY"
  xdotool windowfocus "$WIN"
  xdotool key End
  xdotool key --repeat 20 --delay 20 BackSpace
  xdotool type --delay 40 "$1"
  sleep 0.2
  shot "name-$1"
  click_at "$OK"
}

# The colours at the middle of the 64 cells of the board in a screenshot.
cell_colours() {
  local points=() c r
  for c in 0 1 2 3 4 5 6 7; do
    for r in 0 1 2 3 4 5 6 7; do points+=("$((75 * c + 37)),$((150 + 75 * r + 37))"); done
  done
  pixels "$1" "${points[@]}"
}

# Waits until the board is at rest with a ball in every cell (two screenshots in a row
# alike, none of the 64 cell middles the white of the board), and names the last shot.
settled_board() {
  local name=$1 file previous="" colours=""
  for _ in $(seq 40); do
    file=$(shot "$name")
    colours=$(cell_colours "$file")
    [ "$(echo "$colours" | wc -w)" = 64 ] || fail "could not read the board: $colours"
    if [ "$colours" = "$previous" ] && ! echo "$colours" | tr ' ' '\n' | grep -qx '255,255,255'; then
      echo "$file"
      return 0
    fi
    previous=$colours
    sleep 0.25
  done
  fail "the board did not come to rest with a ball in every cell: $colours"
}

# Shared steps of the end-to-end tests: a private X server, a fresh copy of the program
# folder, windows found by title, clicks, screenshots and pixel checks.
# Usage from a test: source e2e_lib.sh <program folder> <screenshot folder> <test name>
set -euo pipefail

PROGRAM_DIR=$1
SHOT_DIR=$2
TEST_NAME=$3
mkdir -p "$SHOT_DIR"

XVFB_PID=""
GAME_PID=""
RUN_DIR=""

fail() {
  echo "FAIL ($TEST_NAME): $*" >&2
  [ -n "$RUN_DIR" ] && [ -f "$RUN_DIR/zentorra.log" ] && sed 's/^/  program: /' "$RUN_DIR/zentorra.log" >&2
  exit 1
}

cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  [ -n "$RUN_DIR" ] && rm -rf "$RUN_DIR"
  return 0
}
trap cleanup EXIT

# Starts Xvfb with a screen of the given size on the first free display number.
start_x() {
  local width=$1 height=$2 n
  for n in $(seq 90 250); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "${width}x${height}x24" -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    local tries
    for tries in $(seq 50); do
      if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  done
  fail "no free X display"
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

# Waits for the program to end; prints its exit status.
wait_exit() {
  local timeout=${1:-10} i
  for i in $(seq $((timeout * 10))); do
    if ! kill -0 "$GAME_PID" 2>/dev/null; then
      local status=0
      wait "$GAME_PID" || status=$?
      GAME_PID=""
      echo "$status"
      return 0
    fi
    sleep 0.1
  done
  fail "the program did not end within ${timeout}s"
}

# Ids of the viewable top-level windows with exactly this title, one a line.
viewable_windows() {
  local title=$1 id
  xwininfo -root -children 2>/dev/null | grep -F "\"$title\":" | awk '{print $1}' |
    while read -r id; do
      xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$id"
    done
  return 0
}

# Waits until a viewable window with the title exists whose id is not among the
# excluded ones; sets WIN (its id) and WIN_X, WIN_Y, WIN_W, WIN_H.
wait_window() {
  local title=$1 timeout=${2:-10} exclude=${3:-} i id
  for i in $(seq $((timeout * 20))); do
    for id in $(viewable_windows "$title"); do
      case " $exclude " in *" $id "*) continue ;; esac
      WIN=$id
      window_geometry "$WIN"
      return 0
    done
    kill -0 "$GAME_PID" 2>/dev/null || fail "the program ended while waiting for \"$title\""
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
  local id=$1 timeout=${2:-10} i
  for i in $(seq $((timeout * 20))); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || return 0
    sleep 0.05
  done
  fail "window $id still shown after ${timeout}s"
}

# Presses a mouse button at a pixel of the current window WIN (1 left, 3 right).
click_at() {
  local x=$1 y=$2 button=${3:-1}
  xdotool mousemove $((WIN_X + x)) $((WIN_Y + y))
  sleep 0.05
  xdotool click "$button"
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
  convert "$file" -format "$format" info:
}

# A file's bytes as hexadecimal.
hex() { od -An -v -tx1 "$1" | tr -d ' \n'; }

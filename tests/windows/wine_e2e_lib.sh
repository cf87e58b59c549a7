# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# The end-to-end steps of tests/e2e/e2e_lib.sh for the Windows program under Wine: each
# test makes a fresh Wine prefix in a temporary folder on its private X server, starts
# zentorra.exe in a fresh copy of the program folder, and at the end stops the prefix's
# Wine processes and removes it.
# Usage from a test: source wine_e2e_lib.sh <program folder> <screenshot folder> <test name>
# shellcheck source=../e2e/e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/e2e_lib.sh" "$@"

WINE_DIR=""
# Wine's loader sits at a fixed address, with the page that Windows shares with every
# program just above it, and the kernel puts the loader's heap at a random place after it:
# once in some thousands of starts the heap takes that page and Wine ends without a word.
# Every Wine program of the tests starts without address randomisation.
fixed_layout() { setarch "$(uname -m)" -R "$@"; }
# The first program of a fresh prefix also starts Wine's server and services.
FIRST_WINDOW_WAIT=20

wine_cleanup() {
  [ -n "$WINE_DIR" ] && wineserver -k 2>/dev/null
  cleanup
  [ -n "$WINE_DIR" ] && [ -z "${ZT_E2E_KEEP:-}" ] && rm -rf "$WINE_DIR"
  return 0
}
trap wine_cleanup EXIT

# A new Wine prefix for this test, made on the current X server. Wine draws Arial with
# Liberation Sans but has no Verdana: it gets DejaVu Sans, as in the Linux build. With
# audio "none" the prefix has no audio driver: no audio device as far as the game knows.
wine_prefix() {
  local audio=${1:-default}
  WINE_DIR=$(mktemp -d "${TMPDIR:-/tmp}/zentorra-wine.XXXXXX")
  export WINEPREFIX="$WINE_DIR/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  fixed_layout wineboot -i >/dev/null 2>&1 || fail "wineboot could not make a prefix"
  fixed_layout wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Verdana \
    /d 'DejaVu Sans' /f >/dev/null 2>&1 || fail "could not give Verdana a font"
  # Xvfb has no window manager, and Wine would wait 2 s on every hidden window for one to
  # take note: Wine places and frames the windows itself (see window_geometry).
  fixed_layout wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
    >/dev/null 2>&1 || fail "could not tell Wine that no window manager runs"
  if [ "$audio" = none ]; then
    fixed_layout wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f \
      >/dev/null 2>&1 || fail "could not take the audio driver away"
  fi
  wineserver -w
}

# The client area of the window: Wine draws a window's caption and frame inside its X
# window, so the game's windows, whose client sizes are known, give their frame's size.
window_geometry() {
  local info client frame top
  info=$(xwininfo -id "$1")
  WIN_X=$(echo "$info" | awk '/Absolute upper-left X/ {print $4}')
  WIN_Y=$(echo "$info" | awk '/Absolute upper-left Y/ {print $4}')
  WIN_W=$(echo "$info" | awk '/^ *Width:/ {print $2}')
  WIN_H=$(echo "$info" | awk '/^ *Height:/ {print $2}')
  case "$(echo "$info" | sed -n 's/^xwininfo: Window id: [^ ]* "\(.*\)"$/\1/p')" in
    "How To Play") client="229 375" ;;
    Zentorra | "High Score" | "Win!") client="1024 768" ;;
    *) return 0 ;;  # a message box: the desktop's own, shown whole
  esac
  read -r cw ch <<<"$client"
  frame=$(((WIN_W - cw) / 2))
  top=$((WIN_H - ch - frame))
  WIN_X=$((WIN_X + frame)) WIN_Y=$((WIN_Y + top)) WIN_W=$cw WIN_H=$ch
}

# Starts the program under Wine in the fresh folder, after the given command words.
launch() {
  (cd "$RUN_DIR" && exec "$@" setarch "$(uname -m)" -R wine ./zentorra.exe \
    >zentorra.log 2>&1) &
  GAME_PID=$!
}

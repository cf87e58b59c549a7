#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A later start on a screen one row too low, on an X server with nothing but its built-in
# fonts (as on a fresh machine): the warning box appears with its text and exclamation
# icon, before any other window. Its OK button and the Enter key close it, and SIGTERM
# ends the program while it is shown; each time the program ends having written nothing.
# shellcheck source=e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh" "$@"

start_x 1024 767 -fp built-ins
fresh_copy
write_marker
listing() { (cd "$RUN_DIR" && find . -path ./zentorra.log -prune -o -type f -print | sort | xargs md5sum); }
before=$(listing)

show_warning() {
  launch
  wait_window "Warning" 10
  [ -z "$(viewable_windows "Zentorra")" ] || fail "a Zentorra window is shown behind the warning"
}

ended_cleanly() {
  wait_exit 5
  [ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS after $1"
  [ "$(listing)" = "$before" ] || fail "files changed after $1: $(listing)"
}

# The box: a 32 x 32 icon at (24, 22), the text beside it, the OK button 75 x 23 centred
# 11 pixels above the bottom.
show_warning
box=$(shot warning)
[ "$(pixels "$box" 34,46)" = "255,200,40" ] || fail "no exclamation icon: $(pixels "$box" 34,46)"
ink=$(convert "$box" -crop 200x14+68+31 +repage -format "%[fx:round(100*mean)]" info:)
[ "$ink" -lt 95 ] || fail "no text beside the icon"
click_at $((WIN_W / 2)) $((WIN_H - 22))
ended_cleanly "OK"

show_warning
xdotool mousemove $((WIN_X + 10)) $((WIN_Y + 10)) key Return
ended_cleanly "Enter"

show_warning
kill -TERM "$(program_pid)"
ended_cleanly "SIGTERM"
echo "PASS small screen"

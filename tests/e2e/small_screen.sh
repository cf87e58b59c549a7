#!/usr/bin/env bash
# A later start on a screen one row too low: the warning box appears, and once it is
# closed the program has ended without writing anything.
source "$(dirname "$0")/e2e_lib.sh" "$@"

start_x 1024 767
fresh_copy
write_marker
listing() { (cd "$RUN_DIR" && find . -path ./zentorra.log -prune -o -type f -print | sort | xargs md5sum); }
before=$(listing)
launch

wait_window "Warning" 10
shot warning
[ -z "$(viewable_windows "Zentorra")" ] || fail "a Zentorra window is shown behind the warning"
click_at $((WIN_W / 2)) $((WIN_H - 27))  # the OK button, centred at the bottom of the box
status=$(wait_exit 5)
[ "$status" = 0 ] || fail "exit status $status"
[ "$(listing)" = "$before" ] || fail "files changed: $(listing)"
echo "PASS small screen"

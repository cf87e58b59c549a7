#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A later start under Wine on a screen one row too low: the desktop's warning box
# appears, and once it is closed the program has ended without writing anything.
# shellcheck source=wine_e2e_lib.sh
source "$(dirname "$0")/wine_e2e_lib.sh" "$@"

start_x 1024 767
wine_prefix
fresh_copy
write_marker
listing() { (cd "$RUN_DIR" && find . -path ./zentorra.log -prune -o -type f -print | sort | xargs md5sum); }
before=$(listing)
launch

wait_window "Warning" 20
shot warning
[ -z "$(viewable_windows "Zentorra")" ] || fail "a Zentorra window is shown behind the warning"
click_at $((WIN_W / 2)) $((WIN_H - 22))  # OK, centred at the bottom of the box
wait_exit 10
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
[ "$(listing)" = "$before" ] || fail "files changed: $(listing)"
echo "PASS small screen under Wine"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# wine_run.sh PREFIX PROGRAM [ARGS...]: runs a Windows program under Wine in the Wine
# prefix PREFIX, making the prefix first when it is missing. CTest runs the Windows
# test programs through it. The prefix is made once, under a lock, so that tests started
# side by side never make it twice. The unit tests need no display: Wine's null display
# driver gives them windows that exist only in memory.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all}
# No .NET or HTML engine: nothing here needs them, and Wine would offer to download them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
unset DISPLAY WAYLAND_DISPLAY
# Wine's loader sits at a fixed address, with the page that Windows shares with every
# program just above it, and the kernel puts the loader's heap at a random place after it:
# once in some thousands of starts the heap takes that page and Wine ends without a word.
# Wine and everything it starts run without address randomisation.
fixed_layout=(setarch "$(uname -m)" -R)
if [ ! -f "$prefix/.zentorra" ]; then
  mkdir -p "$(dirname "$prefix")"
  # shellcheck disable=SC2016  # expanded by the inner shell, which has WINEPREFIX
  flock "$prefix.lock" "${fixed_layout[@]}" bash -c '[ -f "$WINEPREFIX/.zentorra" ] && exit 0
    wineboot -i && wine reg add "HKCU\Software\Wine\Drivers" /v Graphics /d null /f &&
      wineserver -w && touch "$WINEPREFIX/.zentorra"' >/dev/null 2>&1
fi
# Wine's server and services outlive the program and keep the descriptors it was given:
# its output goes through files, so that CTest does not wait for them as for the test.
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
status=0
"${fixed_layout[@]}" wine "$@" </dev/null >"$out" 2>"$err" || status=$?
cat "$out"
grep -v -e 'wine32 is missing' -e 'multiarch needs' -e 'dpkg --add-architecture' \
  -e 'apt-get install wine32' "$err" >&2 || true
exit $status

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows installer under Wine: a silent install into a fresh prefix puts the game
# under Program Files with its Start-menu shortcut and its entry among the installed
# programs; the installed game starts with How To Play and writes fr.dat in
# %APPDATA%\Zentorra, not beside itself; installing again over it (an upgrade) keeps a
# save and writes the entry anew; the silent uninstaller removes every file it installed,
# the shortcut and the registry keys, and leaves the player's files.
# Usage: installer.sh <zentorra-<version>-setup.exe> <version> <screenshot folder> <test name>
setup=$1 version=$2
shift 2
source "$(dirname "$0")/wine_e2e_lib.sh" "$(dirname "$setup")" "$@"

start_x 1280 1024
wine_prefix
# No Linux menu entries for the shortcuts the installer makes.
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"

readonly key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zentorra'
drive=$WINEPREFIX/drive_c
unix_path() { fixed_layout winepath -u "$1" 2>/dev/null; }
appdata=$(unix_path "$(fixed_layout wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")/Zentorra
[ -d "$(dirname "$appdata")" ] || fail "Wine names no application data folder: $appdata"
entry() {  # a value of the uninstall entry, or nothing when there is none
  fixed_layout wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$1 *REG_[A-Z_]* *//p" || true
}
install() {
  fixed_layout wine "$setup" /S >/dev/null 2>&1 || fail "the installer failed ($*)"
  wineserver -w
}

install "first install"
folder=$(entry InstallLocation)
[ "$folder" = 'C:\Program Files\Zentorra' ] || fail "installed in \"$folder\""
program_dir=$(unix_path "$folder")
[ -f "$program_dir/zentorra.exe" ] || fail "no zentorra.exe in $program_dir"
installed_files=$(cd "$program_dir" && find . -type f | sort)
for f in ./zentorra.exe ./LICENSE.txt ./LICENSE-LiberationSans.txt ./LICENSE-DejaVu.txt \
  ./installed.txt ./uninstall.exe ./Sound/formal.wav ./resources/menu_back.png; do
  grep -qx "$f" <<<"$installed_files" || fail "$f was not installed"
done
[ "$(entry DisplayName)" = Zentorra ] || fail "DisplayName: $(entry DisplayName)"
[ "$(entry DisplayVersion)" = "$version" ] || fail "DisplayVersion: $(entry DisplayVersion)"
[ "$(entry Publisher)" = "The Zentorra developers" ] || fail "Publisher: $(entry Publisher)"
[ "$(entry DisplayIcon)" = "$folder\\zentorra.exe,0" ] || fail "DisplayIcon: $(entry DisplayIcon)"
[ "$(entry UninstallString)" = "\"$folder\\uninstall.exe\"" ] ||
  fail "UninstallString: $(entry UninstallString)"
[ $(($(entry EstimatedSize))) -gt 1000 ] || fail "EstimatedSize: $(entry EstimatedSize) KB"

# The Start-menu shortcut leads to the installed program.
shortcut=$(find "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs" -name Zentorra.lnk)
[ -n "$shortcut" ] || fail "no Start-menu shortcut"
target=$(strings "$shortcut" | grep -m1 -i '^[a-z]:\\.*\\zentorra\.exe$' || true)  # its local path
[ "$(unix_path "$target")" -ef "$program_dir/zentorra.exe" ] || fail "the shortcut leads to \"$target\""
[ -z "$(find "$drive/users" -name Zentorra.lnk)" ] || fail "a desktop shortcut without asking"

# The installed game starts, and keeps the player's files per user though its folder is
# writable here.
(cd "$program_dir" && exec setarch "$(uname -m)" -R wine ./zentorra.exe >/dev/null 2>&1) &
GAME_PID=$!
wait_window "How To Play" 20
shot how-to-play-installed
[ "$(hex "$appdata/fr.dat")" = "22383631313034220d0a" ] || fail "no fr.dat in $appdata"
[ ! -e "$program_dir/fr.dat" ] || fail "fr.dat was written beside the installed program"
wineserver -k
wait_exit 10

# An upgrade over it: the entry is written anew, the player's files stay as they were.
mkdir -p "$appdata/data"
printf 'Ann\r\n12600\r\n' >"$appdata/data/Ann.dat"
save=$(hex "$appdata/data/Ann.dat")
fixed_layout wine reg add "$key" /v DisplayVersion /d 1.0.0 /f >/dev/null 2>&1
install "upgrade"
[ "$(entry DisplayVersion)" = "$version" ] || fail "the upgrade left DisplayVersion $(entry DisplayVersion)"
[ "$(hex "$appdata/data/Ann.dat")" = "$save" ] || fail "the upgrade changed the save"
[ -f "$appdata/fr.dat" ] || fail "the upgrade removed fr.dat"

# The silent uninstaller copies itself away and runs from there: wait for every process.
fixed_layout wine "$program_dir/uninstall.exe" /S >/dev/null 2>&1 || fail "the uninstaller failed"
wineserver -w
left=$(find "$program_dir" 2>/dev/null | sort || true)
[ ! -e "$program_dir" ] || fail "the uninstaller left $program_dir: $left"
[ -z "$(find "$drive/ProgramData" "$drive/users" -name Zentorra.lnk)" ] || fail "a shortcut stayed"
[ -z "$(entry DisplayName)" ] || fail "the uninstall entry stayed"
! fixed_layout wine reg query 'HKLM\Software\Zentorra' >/dev/null 2>&1 || fail "the settings key stayed"
[ "$(hex "$appdata/data/Ann.dat")" = "$save" ] || fail "the uninstaller touched the save"
[ -f "$appdata/fr.dat" ] || fail "the uninstaller removed fr.dat"
echo "PASS installer: install, start, upgrade and uninstall under Wine"

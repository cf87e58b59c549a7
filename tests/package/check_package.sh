#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Looks into the Debian package that `make package` built: its name and control data
# (section, the libraries' and fonts' packages in Depends), its file list (the program,
# its data folder, the desktop files, and none of a player's files), and the desktop
# entry, metainfo and icons it carries, checked by the desktop's own validators; its
# licences (a DEP-5 file, a paragraph per group), the program's hardening and lintian.
# Usage: check_package.sh <package build folder>
set -euo pipefail

fail() {
  echo "FAIL (package): $*" >&2
  exit 1
}

source_dir=$(cd "$(dirname "$0")/../.." && pwd)
cd "$1"
shopt -s nullglob
debs=(zentorra_*_amd64.deb)
[ ${#debs[@]} = 1 ] || fail "expected one zentorra_<version>_amd64.deb, found: ${debs[*]:-none}"
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
version=$(field Version)
[ "$deb" = "zentorra_${version}_amd64.deb" ] || fail "$deb does not carry version $version"
[ "$(field Package)" = zentorra ] || fail "Package: $(field Package)"
[ "$(field Architecture)" = amd64 ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
[ -n "$(field Description)" ] || fail "no Description"
depends=$(field Depends)
depended=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for needed in libc6 libstdc++6 libsdl2-2.0-0 libsdl2-ttf-2.0-0 libsdl2-image-2.0-0 \
  fonts-liberation fonts-dejavu-core; do
  grep -qxF "$needed" <<<"$depended" || fail "Depends lacks $needed: $depends"
done
grep -q "version $version" "$source_dir/README.md" || fail "the README does not name version $version"

listing=$(dpkg-deb -c "$deb")
files=$(awk '{print $6}' <<<"$listing" | sed 's|^\./|/|')
expect() { grep -qx "$1" <<<"$files" || fail "the package lacks $1"; }
expect /usr/games/zentorra
expect /usr/share/applications/zentorra.desktop
expect /usr/share/man/man6/zentorra.6.gz
expect /usr/share/doc/zentorra/copyright
expect /usr/share/doc/zentorra/changelog.gz
for size in 16 22 24 32 48 64 128 256; do expect "/usr/share/icons/hicolor/${size}x${size}/apps/zentorra.png"; done
for sound in formal shew glass ao levelup; do expect "/usr/share/zentorra/Sound/$sound.wav"; done
for picture in menu_back game_back ball0 rank24 icon; do expect "/usr/share/zentorra/resources/$picture.png"; done
[ "$(grep -c '^/usr/share/metainfo/.*\.metainfo\.xml$' <<<"$files")" = 1 ] || fail "no one metainfo file"
outside=$(grep -vE '^/(usr/.*)?$' <<<"$files" || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
! grep -Eq '(/fr\.dat|/data/.*\.dat)$' <<<"$files" || fail "a player's file is packaged"
# The fonts come from the font packages, not as copies of their files.
! grep -q '\.ttf$' <<<"$files" || fail "the package carries fonts: $(grep '\.ttf$' <<<"$files")"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
readelf -S "$unpacked/usr/games/zentorra" | grep -q '\.symtab' && fail "the program is not stripped"
entry=$unpacked/usr/share/applications/zentorra.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate"
grep -qx 'Exec=/usr/games/zentorra' "$entry" || fail "the menu entry runs $(grep '^Exec=' "$entry")"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$unpacked"/usr/share/metainfo/*.metainfo.xml ||
  fail "the metainfo does not list version $version"
for size in 16 22 24 32 48 64 128 256; do
  icon=$unpacked/usr/share/icons/hicolor/${size}x${size}/apps/zentorra.png
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "the ${size}px icon is $(identify -format '%wx%h' "$icon")"
done
# The licences: the code and the generated art under MIT, each font under its own, every
# licence named in a paragraph of its own with its text.
copyright=$unpacked/usr/share/doc/zentorra/copyright
head -1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not DEP-5"
! grep -q LicenseRef "$copyright" || fail "the copyright file names an undecided licence"
licence_of() {  # the License of the Files paragraph with exactly these patterns
  awk -v files="Files: $1" '$0 == files {found = 1} found && /^License:/ {sub(/^License: /, ""); print; exit}' "$copyright"
}
for pair in "*=MIT" "resources/*.png Sound/*.wav icons/*=MIT" \
  "resources/fonts/LiberationSans-*.ttf=GPL-2 with Font exception" \
  "resources/fonts/DejaVuSans*.ttf=Bitstream-Vera"; do
  [ "$(licence_of "${pair%%=*}")" = "${pair#*=}" ] || fail "Files: ${pair%%=*} is not under ${pair#*=}"
done
for text in MIT Bitstream-Vera; do
  grep -A3 -x "License: $text" "$copyright" | grep -q '^ Permission is hereby granted' ||
    fail "no text of the $text licence"
done
grep -q '<project_license>MIT</project_license>' "$unpacked"/usr/share/metainfo/*.metainfo.xml ||
  fail "the metainfo names no project licence"

# Built as Debian builds its own packages, and clean in Debian's own package check.
# Control-flow protection shows in the program's property note only when every object
# linked in has it, and Debian 12's C start files have not (nor has any of its own
# programs): hardening-check leaves it out, and the program's own code is looked at.
hardening-check --nocfprotection "$unpacked/usr/games/zentorra" || fail "hardening-check"
[ "$(objdump -d --no-show-raw-insn "$unpacked/usr/games/zentorra" | grep -c endbr64)" -gt 100 ] ||
  fail "the program was not built with -fcf-protection"
lint=$(lintian --pedantic --display-info "$deb" 2>&1 | grep -v 'running with root privileges' || true)
[ -n "$lint" ] && echo "$lint"
! grep -qE '^[EW]: |hardening' <<<"$lint" || fail "lintian: $(grep -E '^[EW]: |hardening' <<<"$lint")"
echo "PASS package $deb"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Looks into the Windows program file as Explorer does: its icon holds every size from 16
# to 256 pixels, its version block carries the project's version (numbers and texts), the
# manifest is there, the file has no debugging information, and the DLLs it imports are
# the ones the README lists.
# Usage: program_file.sh <zentorra.exe> <version> <README.md>
set -euo pipefail
exe=$1 version=$2 readme=$3

fail() {
  echo "FAIL (program file): $*" >&2
  exit 1
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

wrestool -l "$exe" >"$scratch/list" || fail "wrestool cannot read $exe"
for type in 14 16 24; do  # the icon group, the version block, the manifest
  grep -q -- "--type=$type " "$scratch/list" || fail "no resource of type $type: $(cat "$scratch/list")"
done

wrestool -x --type=14 "$exe" >"$scratch/icon.ico"
sizes=$(icotool -l "$scratch/icon.ico" | sed -n 's/.*--width=\([0-9]*\) --height=\([0-9]*\).*/\1x\2/p' | sort -n | tr '\n' ' ')
[ "$sizes" = "16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256 " ] || fail "icon sizes: $sizes"

# The fixed part of the version block: its signature, then the structure's version, then
# the file and the product version, each as two little-endian words of two halves.
wrestool -x --raw --type=16 "$exe" >"$scratch/version"
IFS=. read -r major minor patch <<<"$version"
half() { printf '%02x%02x' $(($1 & 255)) $(($1 >> 8)); }
numbers=$(half "$minor")$(half "$major")$(half 0)$(half "$patch")
hex=$(od -An -v -tx1 "$scratch/version" | tr -d ' \n')
grep -q "bd04effe00000100${numbers}${numbers}" <<<"$hex" ||
  fail "the version numbers are not $version.0: $(grep -o 'bd04effe.\{40\}' <<<"$hex")"
texts=$(strings -el "$scratch/version")  # the texts are UTF-16: key, then value
for key in FileVersion ProductVersion; do
  grep -A1 -x "$key" <<<"$texts" | tail -1 | grep -qx "$version" || fail "$key is not $version"
done
for key in ProductName FileDescription CompanyName LegalCopyright; do
  grep -qx "$key" <<<"$texts" || fail "no $key in the version block"
done

wrestool -x --raw --type=24 "$exe" >"$scratch/manifest"
grep -q 'PerMonitorV2' "$scratch/manifest" || fail "the manifest does not declare the DPI awareness"
grep -q 'Microsoft.Windows.Common-Controls' "$scratch/manifest" || fail "the manifest names no common controls"

! x86_64-w64-mingw32-objdump -h "$exe" | grep -q '\.debug_' || fail "the program file is not stripped"

imported=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' | sort -f | tr '\n' ' ')
# The README's list: the DLL names of the paragraph that says what the program imports.
# shellcheck disable=SC2016 # the backquotes are the README's own, not an expansion
listed=$(sed -n "/imports only Windows' own DLLs:/,/\.\$/p" "$readme" | grep -o '`[^`]*\.dll`' |
  tr -d '`' | sort -f | tr '\n' ' ')
[ "$imported" = "$listed" ] || fail "imports $imported; the README lists $listed"
echo "PASS program file $exe: icon $sizes, version $version, manifest, imports $imported"

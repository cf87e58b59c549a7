#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Looks into what `make release` put in the release folder: each artefact of this
# version, nothing else, SHA256SUMS naming exactly them with sums that match, and the
# licence in the source archive and the Windows zip.
# Usage: check_release.sh <release folder> <version>
set -euo pipefail

fail() {
  echo "FAIL (release): $*" >&2
  exit 1
}

cd "$1"
version=$2
expected=("zentorra_${version}_amd64.deb" "zentorra-${version}-win64.zip"
  "zentorra-${version}-setup.exe" "zentorra-${version}.tar.gz")
[ -e "zentorra-${version}-web.tar.gz" ] && expected+=("zentorra-${version}-web.tar.gz")
for f in "${expected[@]}"; do [ -s "$f" ] || fail "no $f"; done
listed=$(awk '{print $2}' SHA256SUMS | sort)
[ "$listed" = "$(printf '%s\n' "${expected[@]}" | sort)" ] || fail "SHA256SUMS lists: $listed"
others=$(find . -mindepth 1 -maxdepth 1 -printf '%f\n' |
  grep -vxF -f <(printf '%s\n' "${expected[@]}" SHA256SUMS) || true)
[ -z "$others" ] || fail "files that are no artefact: $others"
sha256sum --strict --quiet -c SHA256SUMS || fail "a sum does not match"

sources=$(tar -tzf "zentorra-${version}.tar.gz")
grep -qx "zentorra-${version}/LICENSE" <<<"$sources" || fail "the source archive has no LICENSE"
zip=$(unzip -Z1 "zentorra-${version}-win64.zip")
for f in zentorra.exe LICENSE.txt LICENSE-LiberationSans.txt LICENSE-DejaVu.txt; do
  grep -qx "Zentorra/$f" <<<"$zip" || fail "the zip lacks Zentorra/$f"
done
! grep -q 'installed\.txt' <<<"$zip" || fail "the zip is marked as installed"
echo "PASS release ${expected[*]}"

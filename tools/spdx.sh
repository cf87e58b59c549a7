#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The licence line every source file opens with (after a script's #! line):
#   tools/spdx.sh --check   lists the files without it, and fails when there are any
#   tools/spdx.sh --fix     puts it in, as a comment of the file's own language
set -euo pipefail
cd "$(dirname "$0")/.."

readonly line="SPDX-License-Identifier: MIT"

# The comment that starts a line in the file's language; nothing for a file that is not code.
comment_of() {
  case "$1" in
    *.cpp | *.h | *.cpp.in | *.rc.in) echo "//" ;;
    *.sh | *.cmake | */CMakeLists.txt | CMakeLists.txt | Makefile | .ci/run) echo "#" ;;
    *.nsi) echo ";" ;;
  esac
}

# The licence line in the first line, or in the second after a #! line.
has_line() {
  local head
  head=$(head -2 "$1")
  if [[ $head == '#!'* ]]; then sed -n 2p <<<"$head"; else sed -n 1p <<<"$head"; fi |
    grep -qF "$line"
}

insert_line() {
  local file=$1 text=$2 tmp
  tmp=$(mktemp)
  if [[ $(head -c 2 "$file") == '#!' ]]; then
    { head -1 "$file"; echo "$text"; tail -n +2 "$file"; } >"$tmp"
  else
    { echo "$text"; cat "$file"; } >"$tmp"
  fi
  # A new file in the old one's place: a running script (this one) reads on undisturbed.
  chmod --reference="$file" "$tmp"
  mv "$tmp" "$file"
}

mode=${1:-}
[ "$mode" = --check ] || [ "$mode" = --fix ] || {
  echo "usage: $0 --check | --fix" >&2
  exit 2
}
missing=0
while IFS= read -r file; do
  [ -f "$file" ] || continue
  comment=$(comment_of "$file")
  [ -n "$comment" ] || continue
  has_line "$file" && continue
  if [ "$mode" = --fix ]; then
    insert_line "$file" "$comment $line"
  else
    echo "$file"
    missing=1
  fi
done < <(git ls-files --cached --others --exclude-standard)
[ "$mode" = --fix ] || exit "$missing"

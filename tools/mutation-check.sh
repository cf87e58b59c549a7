#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Mutation check: puts one small deliberate fault (a mutant) at a time into the raster, the
# board drawing, the ring, the line check, the ranks, the animations, the popups, the file
# code and the music screen, rebuilds the test programs that cover that code, runs them,
# and reports each mutant as killed (a test failed) or survived (every test passed). A
# survivor is a fault the tests cannot see: sharpen a test, or explain why it cannot.
#
# The checkout is never written to: the script works on a copy of the tracked and new
# files in build-mutants/src and builds it in build-mutants/build. The copy is restored
# after every mutant and on any exit. Not part of `make test`.
#
# Usage: tools/mutation-check.sh [--list] [FILTER]
#   FILTER runs only the mutants whose id starts with it (raster, line, rank, ...).
#   ZT_MUTANTS_DIR overrides the working folder, ZT_MUTANTS_JOBS the build jobs (2).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
work=${ZT_MUTANTS_DIR:-$root/build-mutants}
jobs=${ZT_MUTANTS_JOBS:-2}
copy=$work/src
build=$work/build
list_only=0
filter=""
for arg in "$@"; do
  case $arg in
    --list) list_only=1 ;;
    -h | --help) sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) filter=$arg ;;
  esac
done

ids=() files=() tests=() texts=() olds=() news=()

# mutant ID FILE "TEST PROGRAMS" DESCRIPTION OLD NEW: replace the snippet OLD, which must
# occur exactly once in FILE, by NEW. Snippets, not line numbers, so that edits nearby do
# not move a mutant; a snippet that is gone or ambiguous stops the check before it starts.
mutant() {
  ids+=("$1") files+=("$2") tests+=("$3") texts+=("$4") olds+=("$5") news+=("$6")
}

# Raster primitives.
mutant raster-and-as-copy gfx/raster.cpp gfx_tests "SRCAND drawn as a plain copy" \
  '    AndRow(d, s, n);' '    CopyRow(d, s, n);'
mutant raster-mergepaint-not gfx/raster.cpp gfx_tests "MERGEPAINT without the NOT" \
  'd[i] |= ~s[i] & kColourBits;' 'd[i] |= s[i] & kColourBits;'
mutant raster-left-clip gfx/raster.cpp gfx_tests \
  "source x not moved on when clipped at the left" \
  'const int sx = xSrc + (span.x0 - x);' 'const int sx = xSrc;'
mutant raster-top-clip gfx/raster.cpp gfx_tests "source y not moved on when clipped at the top" \
  'ySrc + (dy - y), sx, n);' 'ySrc + (dy - span.y0), sx, n);'
mutant raster-right-clip gfx/raster.cpp gfx_tests "clipped one pixel short of the right edge" \
  'std::min(x + w, dest.width())' 'std::min(x + w, dest.width() - 1)'
mutant raster-last-column gfx/raster.cpp gfx_tests "last source column read as white" \
  'std::clamp(src.width() - sx, inside0, n)' 'std::clamp(src.width() - sx - 1, inside0, n)'
mutant raster-unknown-rop gfx/raster.cpp gfx_tests "unknown raster operation draws" \
  $'  if (rop != SRCCOPY && rop != SRCAND && rop != MERGEPAINT) return;\n' ''
mutant raster-copy-off-picture gfx/raster.cpp gfx_tests \
  "SRCCOPY leaves pixels off the source as they were" \
  'if (rop == SRCCOPY && n > 0) std::fill(d, d + n, kWhite);' 'if (rop == SRCCOPY && n > 0) return;'
mutant raster-zoom-size gfx/raster.cpp gfx_tests "scaled size truncated, not rounded" \
  'int(std::lround(size * zoom))' 'int(size * zoom)'
mutant raster-zoom-corner gfx/raster.cpp gfx_tests "scaled corner rounded the other way" \
  'xCentre - dw / 2, top = yCentre - dh / 2;' 'xCentre - (dw + 1) / 2, top = yCentre - (dh + 1) / 2;'
mutant raster-zoom-cache gfx/raster.cpp gfx_tests "zoom cache ignores a changed picture" \
  'cache.source == source' 'true'
mutant raster-alpha-opaque gfx/raster.cpp gfx_tests "every alpha level above 0 fully opaque" \
  'const int alpha = std::clamp(level, 0, 255);' 'const int alpha = level > 0 ? 255 : 0;'
mutant raster-alpha-stretch-x gfx/raster.cpp gfx_tests "alpha blend not stretched across" \
  'const int sx = xSrc + (dx - x) * srcWidth / width;' 'const int sx = xSrc + (dx - x);'
mutant raster-alpha-stretch-y gfx/raster.cpp gfx_tests "alpha blend not stretched down" \
  'const int sy = ySrc + (dy - y) * srcHeight / height;' 'const int sy = ySrc + (dy - y);'
mutant raster-alpha-rounding gfx/raster.cpp gfx_tests "alpha mix truncated, not rounded" \
  '+ 127) / 255;' ') / 255;'
mutant raster-overlap gfx/raster.cpp gfx_tests "a copy within one picture reads what it wrote" \
  'return &dest == &src && x < xSrc + srcW' 'return false && x < xSrc + srcW'

# Board drawing and the ring's slide.
mutant draw-copies-swapped game/game_state_draw.cpp "game_state_tests game_tests" \
  "DrawBall's two copies in the other order" \
  $'  gfx::fxBitBlt(*canvas.target, x, y, kCell, kCell, *ball, 0, 64, gfx::MERGEPAINT);\n  gfx::fxBitBlt(*canvas.target, x, y, kCell, kCell, *ball, 0, 0, gfx::SRCAND);' \
  $'  gfx::fxBitBlt(*canvas.target, x, y, kCell, kCell, *ball, 0, 0, gfx::SRCAND);\n  gfx::fxBitBlt(*canvas.target, x, y, kCell, kCell, *ball, 0, 64, gfx::MERGEPAINT);'
mutant draw-mergepaint-row game/game_state_draw.cpp game_state_tests \
  "DrawBall's MERGEPAINT read from row 0" '*ball, 0, 64, gfx::MERGEPAINT' '*ball, 0, 0, gfx::MERGEPAINT'
mutant draw-redraw-erase game/game_state_draw.cpp game_state_tests \
  "RedrawBoard draws without erasing" $'      EraseArea(x, y, kCell, kCell);\n' ''
mutant slide-order-reversed game/ring_slide.cpp game_tests "ring balls drawn in reverse order" \
  'for (const SlidingBall& ball : balls) {' \
  $'for (auto it = balls.rbegin(); it != balls.rend(); ++it) {\n    const SlidingBall& ball = *it;'
mutant slide-last-frame game/ring_slide.cpp game_tests "slide runs one frame longer" \
  'kLastFrame = 70;' 'kLastFrame = 75;'

# The ring's two turns.
mutant ring-clockwise-n game/ring.h game_tests "clockwise: N takes W's new ball, not NW's" \
  'cell(N) = t;' 'cell(N) = cell(W);'
mutant ring-counterclockwise-w game/ring.h game_tests \
  "counterclockwise: W takes S's new ball, not NW's" 'cell(W) = t;' 'cell(W) = cell(S);'
mutant ring-offsets game/ring.h game_tests "ring places SE and S swapped" \
  '{1, 1}, {0, 1}, {-1, 1}' '{0, 1}, {1, 1}, {-1, 1}'

# The line check, scoring, refill, turn back and end of the move.
mutant line-last-column game/board_rules.cpp "game_state_tests game_tests" \
  "horizontal search stops a column early" \
  '? kColumns - 1 : kColumns - pass.length;' '? kColumns - 1 : kColumns - pass.length - 1;'
mutant line-last-row game/board_rules.cpp "game_state_tests game_tests" \
  "vertical search stops a row early" \
  '? kRows - pass.length : kRows - 1;' '? kRows - pass.length - 1 : kRows - 1;'
mutant line-length game/board_rules.cpp "game_state_tests game_tests" \
  "a line checked one ball short" \
  'for (int k = 1; k < pass.length; ++k) {' 'for (int k = 1; k < pass.length - 1; ++k) {'
mutant line-pass-order game/board_rules.cpp "game_state_tests game_tests" \
  "horizontal fours before vertical threes" \
  $'    {3, kVertical},\n    {4, kHorizontal},' $'    {4, kHorizontal},\n    {3, kVertical},'
mutant line-bonus game/board_rules.cpp "game_state_tests game_tests" "crystal test inverted" \
  'Board[line.col][line.row] == kBonusKind;' 'Board[line.col][line.row] != kBonusKind;'
mutant line-four-points game/board_rules.cpp "game_state_tests game_tests" \
  "a four is worth what a three is" 'if (line.length == 4) return' 'if (line.length == 5) return'
mutant line-no-score game/line_check.cpp game_tests "points not added" \
  '  AddToScore(value.points);' '  (void)AddToScore;'
mutant line-revert-kept game/line_check.cpp game_tests "a scored line keeps the turn-back pending" \
  $'  RevertPending = kFalse;\n  const LineValue' '  const LineValue'
mutant line-hits game/line_check.cpp game_tests "a chain line is not counted as a hit" \
  'max()) ++Hits;' 'max()) {}'
mutant line-hits-wrap game/line_check.cpp game_tests "hits counted past the largest value" \
  'if (Hits < std::numeric_limits<std::int32_t>::max()) ++Hits;' '++Hits;'
mutant line-refill-vertical game/board_rules.cpp "game_state_tests game_tests" \
  "vertical refill shifts one row less" \
  'b = row + length - 1; b >= 1; --b)' 'b = row + length - 1; b > 1; --b)'
mutant line-refill-horizontal game/board_rules.cpp "game_state_tests game_tests" \
  "horizontal refill one column short" \
  'for (int c = col; c < col + length; ++c) {' 'for (int c = col; c < col + length - 1; ++c) {'
mutant line-turn-back-way game/line_check.cpp game_tests "the turn back turns the same way again" \
  $'    TurnRingCounterclockwise(CenterCol, CenterRow);\n  } else {' \
  $'    TurnRingClockwise(CenterCol, CenterRow);\n  } else {'
mutant line-turn-back-chain game/line_check.cpp game_tests \
  "the check after a turn back counts as a chain" \
  $'  RevertPending = kFalse;\n  AnimTick = 0;' $'  RevertPending = kFalse;\n  ChainActive = kTrue;\n  AnimTick = 0;'
mutant line-end-rank-step game/line_check.cpp game_tests "the end of a move skips the rank step" \
  $'  AdvanceRank();\n  TAnim.SetEnabled(false);' '  TAnim.SetEnabled(false);'
mutant line-chain-kept game/line_check.cpp game_tests "the chain flag outlives the move" \
  '  ChainActive = kFalse;' ''

# Ranks and the progress display.
mutant rank-equal-promotes game/rank.cpp game_tests "points equal to the threshold promote" \
  'std::int64_t{Score} * 100 > RankThresholds' 'std::int64_t{Score} * 100 >= RankThresholds'
mutant rank-tier-test game/rank.cpp game_tests "tier steps taken one rank late" \
  'if (RankIndex >= rank) RankTier = tier;' 'if (RankIndex > rank) RankTier = tier;'
mutant rank-tier-table game/rank.cpp game_tests "tier 7 from rank 12" '{13, 7}' '{12, 7}'
mutant rank-sound-last game/rank.cpp game_tests "no rank-up sound on the promotion to the last rank" \
  '    audio::StartSound(audio::SoundRankUp);' \
  '    if (RankIndex < kLastRank) audio::StartSound(audio::SoundRankUp);'
mutant rank-sound game/rank.cpp game_tests "no rank-up sound" \
  '    audio::StartSound(audio::SoundRankUp);' ''
mutant rank-old-insignia game/rank.cpp game_tests "the old insignia stays shown" \
  '    picMR(RankIndex).Hide();' ''
mutant rank-win game/rank.cpp game_tests "the last rank does not hand over to the win screen" \
  'if (RankIndex == kLastRank) {' 'if (RankIndex > kLastRank) {'
mutant rank-percent-rounding game/rank.cpp game_tests "percentage rounded half up" \
  'DivideRoundHalfEven(RankFraction, 100)' '(RankFraction + 50) / 100'
mutant rank-bar-rounding game/rank.cpp game_tests "bar width truncated" \
  'static_cast<int>(std::lrint(widthTwips))' 'static_cast<int>(widthTwips)'
mutant rank-progress-unclamped game/rank.cpp game_tests "progress outside its box for a score outside the rank" \
  'RankFraction = std::clamp<std::int64_t>(*fraction, 0, kTenThousandths);' 'RankFraction = *fraction;'

# Shrink, drop and shake.
mutant anim-centre-x game/clear_drop_shake.cpp game_tests "shrink centre x rounded half up" \
  'std::nearbyint(kCell * col + 37.5)' 'std::floor(kCell * col + 37.5 + 0.5)'
mutant anim-centre-y game/clear_drop_shake.cpp game_tests "shrink centre y rounded half up" \
  'std::nearbyint(kBoardTop + 37.5 + kCell * row)' 'std::floor(kBoardTop + 37.5 + kCell * row + 0.5)'
mutant anim-drop-end game/clear_drop_shake.cpp game_tests "the drop runs one frame longer" \
  'AnimTick > kCell * (MatchRow - 1) - 5' 'AnimTick > kCell * (MatchRow - 1) + 5'
mutant anim-drop-sound game/clear_drop_shake.cpp game_tests \
  "the end of the drop leaves the line sound on" \
  $'    audio::StopSound(audio::SoundLine);\n    Refresh();\n    AnimState = kSlideClockwise;\n    AnimTick = 71;' \
  $'    Refresh();\n    AnimState = kSlideClockwise;\n    AnimTick = 71;'
mutant anim-shake-sound game/clear_drop_shake.cpp game_tests \
  "the end of the shake leaves the line sound on" \
  $'    audio::StopSound(audio::SoundLine);\n    Refresh();\n    AnimState = kSlideClockwise;\n    RevertPending' \
  $'    Refresh();\n    AnimState = kSlideClockwise;\n    RevertPending'
mutant anim-shake-phase game/clear_drop_shake.cpp game_tests "shake phase rounded half up" \
  'std::nearbyint(AnimTick / 30.0)' 'std::floor(AnimTick / 30.0 + 0.5)'

# Popups, the win hand-over, leaving, and loading a game.
mutant popup-redrawn game/popups.cpp game_tests "the waiting ticks draw the full picture again" \
  '  if (PopupKind < 0 || PopupKind >= kNoPopup) return;' \
  $'  if (PopupKind == kNoPopup) {\n    RestorePopupArea();\n    gfx::fxZoom(Image(), kPopupCentreX, kPopupCentreY, pic300.Image(), 0, 0, kPopupWidth,\n                kPopupHeight, 1.0, 0, 0);\n    return;\n  }\n  if (PopupKind < 0 || PopupKind >= kNoPopup) return;'
mutant popup-wipe-tick game/popups.cpp game_tests "the wipe comes a tick early" \
  'kWipeTick = 50;' 'kWipeTick = 49;'
mutant win-window-open game/popups.cpp game_tests "the win hand-over leaves the game window open" \
  $'  if (Links().showWinScreen) Links().showWinScreen();\n  Close();' \
  '  if (Links().showWinScreen) Links().showWinScreen();'
mutant win-no-table game/popups.cpp game_tests "a won game does not enter the table" \
  $'  RecordResult();\n  if (Links().showWinScreen)' '  if (Links().showWinScreen)'
mutant leave-window-open game/leave_game.cpp game_tests "leaving leaves the game window open" \
  $'  if (Links().showMenu) Links().showMenu();\n  Close();' '  if (Links().showMenu) Links().showMenu();'
mutant load-board-cleared game/frm_main.cpp game_tests \
  "a second game deals over a cleared board, not the first game's" \
  'void FrmMain::DealBoard() {' \
  $'void FrmMain::DealBoard() {\n  for (auto& column : Board) std::fill(std::begin(column), std::end(column), 0);'

# The save file and the high-score table. The game-side leave and load tests must see
# these too, so some run game_tests only.
mutant file-ties-up storage/record_text.cpp storage_tests "numbers rounded half up" \
  'return magnitude % 2 == 1;' 'return true;'
mutant file-half-digits storage/record_text.cpp storage_tests "digits after a 5 ignored" \
  "if (fraction[0] > '5') return true;" "if (fraction[0] >= '5') return true;"
mutant file-quote-kept storage/record_text.cpp storage_tests "a quoted field keeps its closing quote" \
  'field = text_.substr(pos_ + 1, end - pos_ - 1);' 'field = text_.substr(pos_ + 1, end - pos_);'
mutant file-lf storage/record_text.cpp storage_tests "a line feed not taken as a line end" \
  "if (pos_ < text_.size() && text_[pos_] == '\\n') ++pos_;" ''
mutant file-crlf storage/record_text.cpp storage_tests "quoted records end in LF only" \
  'text_ += "\"\r\n";' 'text_ += "\"\n";'
mutant file-temporary-left platform/linux/files.cpp storage_tests \
  "a failed save leaves its temporary file behind" $'  ::unlink(temporary.c_str());\n' ''
mutant file-case-exact-only platform/files/files.cpp storage_tests "a save is found only by its exact spelling" \
  'return a.size() == b.size() && std::equal' 'return a == b && std::equal'
mutant file-field-order storage/player_file.cpp storage_tests "score and hits saved in each other's place" \
  $'  writer.Quoted(std::to_string(record.score));\n  writer.Quoted(std::to_string(record.hits));' \
  $'  writer.Quoted(std::to_string(record.hits));\n  writer.Quoted(std::to_string(record.score));'
mutant file-save-bare storage/player_file.cpp game_tests "leaving saves the score unquoted" \
  'writer.Quoted(std::to_string(record.score));' 'writer.Number(record.score);'
mutant file-clamp-reset storage/player_file.cpp game_tests \
  "a rank or tier outside the tables loads as 0, not clamped" \
  'return number ? std::clamp(*number, lo, hi) : T{0};' \
  'return number && *number >= lo && *number <= hi ? *number : T{0};'
mutant file-score-no-room storage/player_file.cpp storage_tests \
  "a loaded score leaves no room for one more line" 'reader, 0, kMaxLoadedScore)' 'reader, 0, kMaxScore)'
mutant file-score-name app/frm_door.cpp app_tests "a player may be called score" \
  'return !IsTableName(name) && ' 'return '
mutant file-table-quoted storage/score_file.cpp game_tests "leaving writes the table's points quoted" \
  'writer.Number(table.values[i]);' 'writer.Quoted(std::to_string(table.values[i]));'
mutant file-table-negative storage/score_file.cpp storage_tests "negative points read as they are" \
  'std::max(FieldAs<std::int32_t>(*value).value_or(0), 0)' 'FieldAs<std::int32_t>(*value).value_or(0)'
mutant file-table-short storage/score_file.cpp storage_tests "the table is read one entry short" \
  $'for (int i = 0; i < kTableSize; ++i) {\n    const auto name' \
  $'for (int i = 0; i < kTableSize - 1; ++i) {\n    const auto name'

# The music screen.
mutant music-load-order audio/frm_music.cpp audio_tests "sounds loaded out of slot order" \
  $'  LoadSound(SoundTurn, SoundFile("shew.wav"), flags);\n  LoadSound(SoundLine, SoundFile("glass.wav"), flags);' \
  $'  LoadSound(SoundLine, SoundFile("glass.wav"), flags);\n  LoadSound(SoundTurn, SoundFile("shew.wav"), flags);'

selected=()
for i in "${!ids[@]}"; do
  [[ ${ids[$i]} == "$filter"* ]] && selected+=("$i")
done
[ ${#selected[@]} -gt 0 ] || { echo "no mutant matches \"$filter\"" >&2; exit 2; }

if [ "$list_only" = 1 ]; then
  for i in "${selected[@]}"; do printf '%-26s %-30s %s\n' "${ids[$i]}" "${files[$i]}" "${texts[$i]}"; done
  exit 0
fi

mkdir -p "$work"
exec 9>"$work/lock"
flock -n 9 || { echo "another mutation check is running in $work" >&2; exit 2; }

# How often a literal snippet occurs in a text.
occurrences() {
  local text=$1 snippet=$2 rest
  rest=${text//"$snippet"/}
  echo $(((${#text} - ${#rest}) / ${#snippet}))
}

read_file() { # keeps trailing newlines
  local content
  content=$(cat "$1"; printf x)
  printf '%s' "${content%x}"
}

# Every snippet is checked against the checkout before anything is built.
bad=0
for i in "${selected[@]}"; do
  if [ ! -f "$root/${files[$i]}" ]; then
    echo "MISSING FILE  ${ids[$i]}: ${files[$i]}" >&2
    bad=1
    continue
  fi
  n=$(occurrences "$(read_file "$root/${files[$i]}")" "${olds[$i]}")
  if [ "$n" != 1 ]; then
    echo "SNIPPET FOUND $n TIMES  ${ids[$i]} in ${files[$i]}:" >&2
    printf '%s\n' "${olds[$i]}" | sed 's/^/    | /' >&2
    bad=1
  fi
done
[ "$bad" = 0 ] || { echo "update the mutant list in $0" >&2; exit 2; }

# The copy follows the working tree (tracked and new files). Only files whose content
# differs are copied, with a new time, so that a build recompiles them and nothing else:
# also a file that a run killed outright left mutated, and one compiled last as a mutant.
sync_copy() {
  local f
  mkdir -p "$copy"
  (cd "$root" && git ls-files -z --cached --others --exclude-standard) |
    while IFS= read -r -d '' f; do
      [ -f "$root/$f" ] || continue
      cmp -s "$root/$f" "$copy/$f" && continue
      mkdir -p "$(dirname "$copy/$f")"
      cp "$root/$f" "$copy/$f"
    done
  (cd "$copy" && find . -type f -printf '%P\0') |
    while IFS= read -r -d '' f; do [ -f "$root/$f" ] || rm -f "$copy/$f"; done
}
sync_copy

current=""
restore() {
  if [ -n "$current" ]; then
    cp "$work/pristine" "$copy/$current"  # a new time: the next build compiles it again
    current=""
  fi
}
trap restore EXIT
trap 'restore; exit 130' INT TERM

echo "Configuring $build"
cmake -S "$copy" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZT_WERROR=OFF >"$work/configure.log" 2>&1 ||
  { tail -20 "$work/configure.log" >&2; exit 2; }

programs() { # the test programs of the selected mutants, once each
  local i p
  for i in "${selected[@]}"; do for p in ${tests[$i]}; do echo "$p"; done; done | sort -u
}

build_programs() { # log target...
  local log=$1
  shift
  local args=()
  for p in "$@"; do args+=(--target "$p"); done
  cmake --build "$build" -j "$jobs" "${args[@]}" >"$log" 2>&1
}

# Runs the programs; prints the first failing test, or "timeout", or nothing when all pass.
run_programs() {
  local p exe out status failed
  for p in "$@"; do
    exe=$(find "$build/tests" -name "$p" -type f -perm -u+x | head -1)
    out=$(cd "$(dirname "$exe")" && timeout 600 "$exe" --gtest_brief=1 2>&1) && continue
    status=$?
    mapfile -t failed < <(echo "$out" | grep -o '\[  FAILED  \] [A-Za-z0-9_./]*' | cut -c14- |
      awk '!seen[$0]++')
    if [ "$status" = 124 ]; then
      echo "$p: timeout"
    elif [ ${#failed[@]} -gt 1 ]; then
      echo "$p: ${failed[0]} and $((${#failed[@]} - 1)) more"
    elif [ ${#failed[@]} = 1 ]; then
      echo "$p: ${failed[0]}"
    else
      echo "$p: exit status $status"
    fi
    return 0
  done
}

mapfile -t all_programs < <(programs)
echo "Building the unchanged code (zt_fonts zt_assets ${all_programs[*]})"
build_programs "$work/baseline.log" zt_fonts zt_assets "${all_programs[@]}" ||
  { tail -30 "$work/baseline.log" >&2; exit 2; }
baseline_failures=$(run_programs "${all_programs[@]}")
[ -z "$baseline_failures" ] ||
  { echo "the unchanged code already fails: $baseline_failures" >&2; exit 2; }

killed=0 survived=0 broken=0
report=$work/report.txt
: >"$report"
for i in "${selected[@]}"; do
  file=${files[$i]}
  cp "$copy/$file" "$work/pristine"
  current=$file
  content=$(read_file "$copy/$file")
  printf '%s' "${content/"${olds[$i]}"/"${news[$i]}"}" >"$copy/$file"
  read -r -a progs <<<"${tests[$i]}"
  if ! build_programs "$work/mutant.log" "${progs[@]}"; then
    result="BROKEN (does not build: see $work/${ids[$i]}.log)"
    cp "$work/mutant.log" "$work/${ids[$i]}.log"
    broken=$((broken + 1))
  else
    by=$(run_programs "${progs[@]}")
    if [ -n "$by" ]; then
      result="killed    by $by"
      killed=$((killed + 1))
    else
      result="SURVIVED  (${progs[*]} pass)"
      survived=$((survived + 1))
    fi
  fi
  restore
  line=$(printf '%-26s %s\n%28s%s' "${ids[$i]}" "${texts[$i]}" "" "$result")
  echo "$line" | tee -a "$report"
done

summary="Killed $killed / ${#selected[@]} mutants"
[ "$survived" = 0 ] || summary+=", $survived survived"
[ "$broken" = 0 ] || summary+=", $broken did not build"
echo "$summary." | tee -a "$report"
echo "Report: $report"
[ "$survived" = 0 ] && [ "$broken" = 0 ]

// SPDX-License-Identifier: MIT
// The line check that ends every slide and every drop: one line per call, scored,
// recorded for the clearing animation and refilled at once; or the turn back; or the end
// of the move.
#include <limits>
#include <optional>
#include <string>

#include "audio/sound_manager.h"
#include "game/board_rules.h"
#include "game/frm_main.h"
#include "game/high_score.h"
#include "game/ring.h"
#include "platform/loop/system.h"
#include "storage/player_file.h"

namespace game {
namespace {

// The score stops at the largest value whose points still fit 32 bits, so the label and
// the table entry keep working (only a hand-edited save file gets near it).
void AddToScore(int units) {
  Score = Score > storage::kMaxScore - units ? storage::kMaxScore : Score + units;
}

}  // namespace

void FrmMain::CheckLines(int direction) {
  if (ScoreFirstLine()) return;
  if (RevertPending == kTrue) {
    RotateBack(direction);
    return;
  }
  EndMove();
}

bool FrmMain::ScoreFirstLine() {
  const std::optional<BoardLine> line = FindFirstLine();
  if (!line) return false;
  RevertPending = kFalse;
  const LineValue value = ValueOf(*line);
  AddToScore(value.points);
  PopupKind = value.popup;
  TOther.SetEnabled(true);
  if (const auto points = ScorePoints()) lblScore.SetCaption(GroupDigits(*points));
  audio::StartSound(audio::SoundLine);
  AdvanceRank();
  platform::DoEvents();  // runs no timer tick, so nothing here is re-entered
  AnimState = kShrinkLine;
  MatchCol = static_cast<std::int16_t>(line->col);
  MatchRow = static_cast<std::int16_t>(line->row);
  MatchKind = Board[line->col][line->row];
  MatchLength = static_cast<std::int16_t>(line->length);
  MatchDirection = line->direction;
  ZoomScale = 1.0f;
  RefillLine(*line);  // the clearing and drop animations only show it
  TAnim.SetEnabled(true);
  SetEnabled(false);
  if (ChainActive == kTrue) {
    if (Hits < std::numeric_limits<std::int32_t>::max()) ++Hits;
    PopupKind = 0;  // the double hit replaces the points popup
    TOther.SetEnabled(true);
    lblHits.SetCaption(std::to_string(Hits));
  }
  return true;
}

// The player's turn made no line: turn the ring back and slide it back the other way.
void FrmMain::RotateBack(int direction) {
  if (direction == kSlideClockwise) {
    TurnRingCounterclockwise(CenterCol, CenterRow);
  } else {
    TurnRingClockwise(CenterCol, CenterRow);
  }
  RevertPending = kFalse;
  AnimTick = 0;
  AnimState = direction == kSlideClockwise ? kSlideCounterclockwise : kSlideClockwise;
  TAnim.SetEnabled(true);
  SetEnabled(false);
}

void FrmMain::EndMove() {
  if (RankIndex != kRankCount - 1) {
    if (const auto points = ScorePoints()) lblScore.SetCaption(GroupDigits(*points));
  }
  AdvanceRank();
  TAnim.SetEnabled(false);
  SetEnabled(true);
  ChainActive = kFalse;
}

}  // namespace game

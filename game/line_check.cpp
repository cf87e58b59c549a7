// The line check that ends every slide and every drop: one line per call, scored,
// recorded for the clearing animation and refilled at once; or the turn back; or the end
// of the move.
#include <limits>
#include <string>

#include "audio/sound_manager.h"
#include "game/frm_main.h"
#include "game/high_score.h"
#include "game/ring.h"
#include "platform/loop/system.h"
#include "storage/player_file.h"

namespace game {
namespace {

constexpr std::int16_t kVertical = 1;
constexpr std::int16_t kHorizontal = 0;

struct LinePass {
  int length;
  std::int16_t direction;
  int bonusPoints, points;  // units of 100 points, for kind 6 / any other kind
  std::int16_t bonusPopup, popup;
};

// Vertical lines before horizontal ones, four before three: a vertical three anywhere is
// found before any horizontal four.
constexpr LinePass kPasses[] = {
    {4, kVertical, 15, 6, 4, 2},
    {3, kVertical, 10, 3, 3, 1},
    {4, kHorizontal, 15, 6, 4, 2},
    {3, kHorizontal, 10, 3, 3, 1},
};

bool IsLineAt(const LinePass& pass, int col, int row) {
  for (int k = 1; k < pass.length; ++k) {
    const int c = pass.direction == kVertical ? col : col + k;
    const int r = pass.direction == kVertical ? row + k : row;
    if (Board[c][r] != Board[col][row]) return false;
  }
  return true;
}

// Column outer, row inner, both ascending: the first cell that starts a line wins.
bool FindLine(const LinePass& pass, int& col, int& row) {
  const int lastCol = pass.direction == kVertical ? kColumns - 1 : kColumns - pass.length;
  const int lastRow = pass.direction == kVertical ? kRows - pass.length : kRows - 1;
  for (col = 0; col <= lastCol; ++col) {
    for (row = 0; row <= lastRow; ++row) {
      if (IsLineAt(pass, col, row)) return true;
    }
  }
  return false;
}

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
  for (const LinePass& pass : kPasses) {
    int col = 0;
    int row = 0;
    if (!FindLine(pass, col, row)) continue;
    RevertPending = kFalse;
    const bool bonus = Board[col][row] == kBonusKind;
    AddToScore(bonus ? pass.bonusPoints : pass.points);
    PopupKind = bonus ? pass.bonusPopup : pass.popup;
    TOther.SetEnabled(true);
    if (const auto points = ScorePoints()) lblScore.SetCaption(GroupDigits(*points));
    audio::StartSound(audio::SoundLine);
    AdvanceRank();
    platform::DoEvents();  // runs no timer tick, so nothing here is re-entered
    AnimState = kShrinkLine;
    MatchCol = static_cast<std::int16_t>(col);
    MatchRow = static_cast<std::int16_t>(row);
    MatchKind = Board[col][row];
    MatchLength = static_cast<std::int16_t>(pass.length);
    MatchDirection = pass.direction;
    ZoomScale = 1.0f;
    Refill(col, row, pass.length, pass.direction);
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
  return false;
}

// The line leaves the model at once; the balls above it move down and new ones enter at
// the top. Every new kind is chosen at the moment it is placed, so NewBallKind counts the
// board part-way through the shift.
void FrmMain::Refill(int col, int row, int length, int direction) {
  if (direction == kVertical) {
    for (int n = 0; n < length; ++n) {
      for (int b = row + length - 1; b >= 1; --b) Board[col][b] = Board[col][b - 1];
      Board[col][0] = static_cast<std::int16_t>(NewBallKind());
    }
    return;
  }
  for (int c = col; c < col + length; ++c) {
    for (int b = row; b >= 1; --b) Board[c][b] = Board[c][b - 1];
    Board[c][0] = static_cast<std::int16_t>(NewBallKind());
  }
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

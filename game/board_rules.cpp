// SPDX-License-Identifier: MIT
#include "game/board_rules.h"

#include "game/game_state.h"

namespace game {
namespace {

struct LinePass {
  int length;
  std::int16_t direction;
};

// Vertical lines before horizontal ones, four before three: a vertical three anywhere is
// found before any horizontal four.
constexpr LinePass kPasses[] = {
    {4, kVertical},
    {3, kVertical},
    {4, kHorizontal},
    {3, kHorizontal},
};

bool IsLineAt(const LinePass& pass, int col, int row) {
  for (int k = 1; k < pass.length; ++k) {
    const int c = pass.direction == kVertical ? col : col + k;
    const int r = pass.direction == kVertical ? row + k : row;
    if (Board[c][r] != Board[col][row]) return false;
  }
  return true;
}

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

}  // namespace

std::optional<BoardLine> FindFirstLine() {
  for (const LinePass& pass : kPasses) {
    int col = 0;
    int row = 0;
    if (FindLine(pass, col, row)) return BoardLine{col, row, pass.length, pass.direction};
  }
  return std::nullopt;
}

LineValue ValueOf(const BoardLine& line) {
  const bool bonus = Board[line.col][line.row] == kBonusKind;
  if (line.length == 4) return bonus ? LineValue{15, 4} : LineValue{6, 2};
  return bonus ? LineValue{10, 3} : LineValue{3, 1};
}

void RefillLine(const BoardLine& line) {
  const int col = line.col, row = line.row, length = line.length;
  if (line.direction == kVertical) {
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

}  // namespace game

// SPDX-License-Identifier: MIT
// The rules that need nothing but the board: where the next line is, what it is worth,
// and how the balls above it fall into its place.
#pragma once

#include <cstdint>
#include <optional>

namespace game {

constexpr std::int16_t kVertical = 1;
constexpr std::int16_t kHorizontal = 0;

struct BoardLine {
  int col = 0, row = 0;  // its top (vertical) or left (horizontal) ball
  int length = 0;        // 3 or 4
  std::int16_t direction = kVertical;
};

// The first line on the board in the fixed search order: vertical fours, vertical threes,
// horizontal fours, horizontal threes; within each pass column outer, row inner, both
// ascending. A longer run is found as its first four.
std::optional<BoardLine> FindFirstLine();

struct LineValue {
  int points;          // units of 100 points
  std::int16_t popup;  // the PopupKind that shows them
};
// Crystal lines (kind 6 at the line's first ball) are worth more.
LineValue ValueOf(const BoardLine& line);

// Takes the line out of the board: the balls above it move down and new ones enter at the
// top. Every new kind is chosen as it is placed, so NewBallKind counts the board part-way
// through the shift.
void RefillLine(const BoardLine& line);

}  // namespace game

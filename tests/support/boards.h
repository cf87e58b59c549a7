// SPDX-License-Identifier: MIT
// Boards written as text, for the tests of the rules and of the game screen.
#pragma once

#include <array>
#include <cstdint>

#include "game/game_state.h"

namespace zt_test {

// Eight strings of eight digits, one per row from the top: rows[r][c] is Board(c, r).
inline void SetBoard(const std::array<const char*, 8>& rows) {
  for (int r = 0; r < game::kRows; ++r) {
    for (int c = 0; c < game::kColumns; ++c)
      game::Board[c][r] = static_cast<std::int16_t>(rows[r][c] - '0');
  }
}

// A board without any line: kind (c + 2r) mod 6.
inline void SetLineFreeBoard() {
  for (int c = 0; c < game::kColumns; ++c) {
    for (int r = 0; r < game::kRows; ++r)
      game::Board[c][r] = static_cast<std::int16_t>((c + 2 * r) % 6);
  }
}

// Written without the rules' own search, so that a fault there cannot hide here.
inline bool BoardHasLine() {
  using game::Board;
  for (int c = 0; c < game::kColumns; ++c) {
    for (int r = 0; r < game::kRows; ++r) {
      const int k = Board[c][r];
      if (r + 2 < game::kRows && Board[c][r + 1] == k && Board[c][r + 2] == k) return true;
      if (c + 2 < game::kColumns && Board[c + 1][r] == k && Board[c + 2][r] == k) return true;
    }
  }
  return false;
}

}  // namespace zt_test

// SPDX-License-Identifier: MIT
// The board's own rules: the search order of lines, their points, and the refill.
#include "game/board_rules.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "game/game_state.h"
#include "tests/support/boards.h"

namespace game {
namespace {

using zt_test::SetBoard;
using zt_test::SetLineFreeBoard;

class BoardRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSharedState();
    SetLineFreeBoard();
  }
  void TearDown() override { ResetSharedState(); }

  static void ExpectFirstLine(int col, int row, int length, std::int16_t direction) {
    const auto line = FindFirstLine();
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->col, col);
    EXPECT_EQ(line->row, row);
    EXPECT_EQ(line->length, length);
    EXPECT_EQ(line->direction, direction);
  }
  static void ExpectValue(int points, std::int16_t popup) {
    const auto line = FindFirstLine();
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(ValueOf(*line).points, points);
    EXPECT_EQ(ValueOf(*line).popup, popup);
  }
  // Copies the board, for comparing before and after.
  static std::array<std::array<std::int16_t, kRows>, kColumns> Copy() {
    std::array<std::array<std::int16_t, kRows>, kColumns> board{};
    for (int c = 0; c < kColumns; ++c) std::copy(Board[c], Board[c] + kRows, board[c].begin());
    return board;
  }
};

// The line-free board is (c + 2r) mod 6; these boards put lines into it.
TEST_F(BoardRulesTest, ALineFreeBoardHasNoLine) {
  EXPECT_FALSE(FindFirstLine().has_value());
}

TEST_F(BoardRulesTest, LongerRunsAreFoundAsTheirFirstFour) {
  for (int r = 2; r <= 6; ++r) Board[5][r] = 4;
  ExpectFirstLine(5, 2, 4, kVertical);
  ExpectValue(6, 2);
  SetLineFreeBoard();
  for (int c = 1; c <= 5; ++c) Board[c][6] = 3;
  ExpectFirstLine(1, 6, 4, kHorizontal);
  ExpectValue(6, 2);
}

TEST_F(BoardRulesTest, VerticalThreeComesBeforeHorizontalFour) {
  for (int c = 0; c <= 3; ++c) Board[c][1] = 5;  // horizontal four at the top left
  Board[7][5] = Board[7][6] = Board[7][7] = 2;   // vertical three at the bottom right
  ASSERT_NE(Board[7][4], 2);
  ExpectFirstLine(7, 5, 3, kVertical);
  ExpectValue(3, 1);
}

TEST_F(BoardRulesTest, FourIsNeverTakenAsThree) {
  Board[0][0] = Board[0][1] = Board[0][2] = 1;   // a vertical three in column 0 ...
  for (int r = 3; r <= 6; ++r) Board[2][r] = 3;  // ... and a vertical four in column 2
  ASSERT_FALSE(Board[0][3] == 1);
  ExpectFirstLine(2, 3, 4, kVertical);  // pass 1 (fours) runs over every column first
}

TEST_F(BoardRulesTest, LinesAtTheEdgesAreFound) {
  for (int c = 5; c < 8; ++c) Board[c][7] = 2;  // the bottom right corner
  ExpectFirstLine(5, 7, 3, kHorizontal);
  SetLineFreeBoard();
  for (int r = 4; r < 8; ++r) Board[7][r] = 0;  // row 3 holds a 1
  ExpectFirstLine(7, 4, 4, kVertical);
}

TEST_F(BoardRulesTest, CrystalLinesAreWorthMore) {
  for (int r = 0; r < 4; ++r) Board[3][r] = kBonusKind;
  ExpectValue(15, 4);
  SetLineFreeBoard();
  for (int c = 5; c < 8; ++c) Board[c][7] = kBonusKind;
  ExpectValue(10, 3);
}

TEST_F(BoardRulesTest, VerticalRefillShiftsTheColumnDown) {
  for (int r = 3; r <= 5; ++r) Board[6][r] = 1;
  const auto before = Copy();
  RefillLine({6, 3, 3, kVertical});
  for (int r = 3; r <= 5; ++r) EXPECT_EQ(Board[6][r], before[6][r - 3]) << r;
  for (int r = 6; r <= 7; ++r) EXPECT_EQ(Board[6][r], before[6][r]) << r;
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < kRows; ++r) {
      if (c == 6) continue;
      EXPECT_EQ(Board[c][r], before[c][r]) << c << "," << r;
    }
  }
}

TEST_F(BoardRulesTest, HorizontalRefillShiftsEachColumnByOne) {
  for (int c = 2; c <= 5; ++c) Board[c][4] = 0;
  const auto before = Copy();
  RefillLine({2, 4, 4, kHorizontal});
  for (int c = 2; c <= 5; ++c) {
    for (int r = 1; r <= 4; ++r) EXPECT_EQ(Board[c][r], before[c][r - 1]) << c << "," << r;
    for (int r = 5; r <= 7; ++r) EXPECT_EQ(Board[c][r], before[c][r]) << c << "," << r;
  }
  EXPECT_EQ(Board[1][4], before[1][4]);
  EXPECT_EQ(Board[6][4], before[6][4]);
}

// The generator is rigged: a seed whose first draws, on a board without crystals and with
// room for them, all give the crystal. Each new ball is a crystal exactly when the board
// counted at the moment it is placed (part-way through the shift) leaves room for one.
std::uint32_t SeedGivingCrystals(int count) {
  for (std::uint32_t seed = 1;; ++seed) {
    SeedRandom(seed);
    bool all = true;
    for (int i = 0; i < count && all; ++i) all = NewBallKind() == kBonusKind;
    if (all) return seed;
  }
}

TEST_F(BoardRulesTest, NewKindsCountTheBoardPartWayThroughAVerticalShift) {
  RankTier = 9;
  SetBoard({"01234501", "23450123", "45012345", "01234501", "23450123", "45612345", "01634501",
            "23650123"});
  const std::uint32_t seed = SeedGivingCrystals(3);
  RankTier = 1;
  SeedRandom(seed);
  ExpectFirstLine(2, 5, 3, kVertical);
  RefillLine(*FindFirstLine());
  // First new ball (row 2): rows 6 and 7 hold shifted crystals, so 1 + 2 > 1. Second
  // (row 1): row 7 still holds one. Third (row 0): none left, 1 + 0 <= 1.
  EXPECT_NE(Board[2][2], kBonusKind);
  EXPECT_NE(Board[2][1], kBonusKind);
  EXPECT_EQ(Board[2][0], kBonusKind);
}

TEST_F(BoardRulesTest, NewKindsCountTheBoardPartWayThroughAHorizontalShift) {
  const std::array<const char*, 8> board = {"01234501", "23450123", "45012345", "01234501",
                                            "23450123", "45012345", "01234501", "23666123"};
  SetBoard(board);
  RankTier = 9;
  const std::uint32_t seed = SeedGivingCrystals(3);
  RankTier = 3;
  SeedRandom(seed);
  ExpectFirstLine(2, 7, 3, kHorizontal);
  RefillLine(*FindFirstLine());
  // Column 2 counts the two crystals still in columns 3 and 4: 1 + 2 <= 3, a crystal.
  // Column 3 counts column 2's new crystal and column 4's: 1 + 2 <= 3, a crystal.
  // Column 4 counts the two new ones: 1 + 2 <= 3 again.
  EXPECT_EQ(Board[2][0], kBonusKind);
  EXPECT_EQ(Board[3][0], kBonusKind);
  EXPECT_EQ(Board[4][0], kBonusKind);
  SetBoard(board);
  RankTier = 2;
  SeedRandom(seed);
  RefillLine(*FindFirstLine());
  EXPECT_NE(Board[2][0], kBonusKind);  // columns 3 and 4 still hold two: 1 + 2 > 2
  EXPECT_EQ(Board[3][0], kBonusKind);  // only column 4's is left: 1 + 1 <= 2
  EXPECT_EQ(Board[4][0], kBonusKind);  // only column 3's new one: 1 + 1 <= 2
}

}  // namespace
}  // namespace game

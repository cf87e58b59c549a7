// SPDX-License-Identifier: MIT
// The two ring permutations and what a press does.
#include "game/ring.h"
#include "platform/headless/headless.h"
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

using platform::headless::Press;

// Gives every ring cell of centre (c, r) a value of its own, so that any wrong move shows:
// place p holds 10 + p. There are only seven kinds, and a turn only moves values.
std::array<int, 8> NumberRing(int c, int r) {
  std::array<int, 8> before{};
  for (int p = 0; p < 8; ++p) {
    Board[c + kRingOffsets[p].dc][r + kRingOffsets[p].dr] = static_cast<std::int16_t>(10 + p);
    before[p] = 10 + p;
  }
  Board[c][r] = 5;
  return before;
}

int At(int c, int r, RingPlace place) {
  return Board[c + kRingOffsets[place].dc][r + kRingOffsets[place].dr];
}

TEST(RingTest, ClockwiseMovesEveryBallOnePlaceClockwise) {
  const auto before = NumberRing(4, 3);
  TurnRingClockwise(4, 3);
  for (int p = 0; p < 8; ++p) {
    EXPECT_EQ(At(4, 3, RingPlace((p + 1) % 8)), before[p]) << "ball from place " << p;
  }
  EXPECT_EQ(Board[4][3], 5);  // the centre never moves
}

TEST(RingTest, CounterclockwiseMovesEveryBallOnePlaceCounterclockwise) {
  const auto before = NumberRing(2, 5);
  TurnRingCounterclockwise(2, 5);
  for (int p = 0; p < 8; ++p) {
    EXPECT_EQ(At(2, 5, RingPlace((p + 7) % 8)), before[p]) << "ball from place " << p;
  }
  EXPECT_EQ(Board[2][5], 5);
}

TEST(RingTest, EachTurnUndoesTheOtherAndTouchesOnlyTheRing) {
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < kRows; ++r) Board[c][r] = static_cast<std::int16_t>((c * 3 + r * 5) % 7);
  }
  std::int16_t original[kColumns][kRows];
  std::copy(&Board[0][0], &Board[0][0] + 64, &original[0][0]);
  TurnRingClockwise(6, 6);
  EXPECT_FALSE(std::equal(&Board[0][0], &Board[0][0] + 64, &original[0][0]));
  TurnRingCounterclockwise(6, 6);
  EXPECT_TRUE(std::equal(&Board[0][0], &Board[0][0] + 64, &original[0][0]));
  TurnRingCounterclockwise(1, 1);
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < kRows; ++r) {
      if (c <= 2 && r <= 2) continue;
      EXPECT_EQ(Board[c][r], original[c][r]) << c << "," << r;
    }
  }
  TurnRingClockwise(1, 1);
  EXPECT_TRUE(std::equal(&Board[0][0], &Board[0][0] + 64, &original[0][0]));
}

class PressTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    OpenGame();
    SetLineFreeBoard();
    AnimState = 0;
  }
  // Nothing at all happened: no timer, window enabled, board and state untouched.
  void ExpectIgnored(float x, float y) {
    std::int16_t before[kColumns][kRows];
    std::copy(&Board[0][0], &Board[0][0] + 64, &before[0][0]);
    game_->AnimTick = 33;
    Press(*game_, 2, x, y);
    EXPECT_FALSE(game_->TAnim.Enabled()) << x << "," << y;
    EXPECT_TRUE(game_->Enabled());
    EXPECT_EQ(AnimState, 0);
    EXPECT_EQ(game_->AnimTick, 33);
    EXPECT_TRUE(std::equal(&Board[0][0], &Board[0][0] + 64, &before[0][0]));
  }
  void ExpectRefused(float x, float y, int col, int row) {
    Press(*game_, 1, x, y);
    EXPECT_EQ(AnimState, kShakeBall) << x << "," << y;
    EXPECT_EQ(game_->CenterCol, col);
    EXPECT_EQ(game_->CenterRow, row);
    EXPECT_EQ(game_->AnimTick, 0);
    EXPECT_TRUE(game_->TAnim.Enabled());
    EXPECT_FALSE(game_->Enabled());
    RunMove();  // let the shake end before the next press
    EXPECT_TRUE(game_->Enabled());
  }
};

TEST_F(PressTest, RightPressTurnsTheRingClockwiseAndStartsTheSlide) {
  const auto before = NumberRing(4, 3);
  Press(*game_, 2, 300, 400);
  EXPECT_EQ(game_->CenterCol, 4);
  EXPECT_EQ(game_->CenterRow, 3);
  for (int p = 0; p < 8; ++p) EXPECT_EQ(At(4, 3, RingPlace((p + 1) % 8)), before[p]);
  EXPECT_EQ(AnimState, kSlideClockwise);
  EXPECT_EQ(RevertPending, kTrue);
  EXPECT_EQ(game_->AnimTick, 0);
  EXPECT_TRUE(game_->TAnim.Enabled());
  EXPECT_FALSE(game_->Enabled());
}

TEST_F(PressTest, LeftPressTurnsTheRingCounterclockwise) {
  const auto before = NumberRing(6, 6);
  Press(*game_, 1, 524, 674);  // the last pixel of the ring-centre area
  EXPECT_EQ(game_->CenterCol, 6);
  EXPECT_EQ(game_->CenterRow, 6);
  for (int p = 0; p < 8; ++p) EXPECT_EQ(At(6, 6, RingPlace((p + 7) % 8)), before[p]);
  EXPECT_EQ(AnimState, kSlideCounterclockwise);
}

// A touch screen has one kind of tap: a cell's left half acts as the left button, its
// right half as the right button, in every column.
TEST_F(PressTest, TapButtonIsTheButtonOfTheCellsHalfTapped) {
  for (int c = 0; c < kColumns; ++c) {
    const float left = float(c * kCell);
    EXPECT_EQ(game_->TapButton(left, 400), 1) << c;
    EXPECT_EQ(game_->TapButton(left + 37.4f, 400), 1) << c;
    EXPECT_EQ(game_->TapButton(left + 37.5f, 400), 2) << c;
    EXPECT_EQ(game_->TapButton(left + 74.9f, 400), 2) << c;
  }
}

TEST_F(PressTest, PressesOutsideTheBoardAreaAreIgnored) {
  ExpectIgnored(0, 300);
  ExpectIgnored(300, 149);
  ExpectIgnored(601, 300);
  ExpectIgnored(300, 751);
}

// The press area's last pixel column and row lie just off the board: such a press must
// neither refuse nor read outside Board.
TEST_F(PressTest, PressesOnTheAreasLastColumnAndRowAreIgnored) {
  ExpectIgnored(600, 400);
  ExpectIgnored(300, 750);
  ExpectIgnored(600, 750);
}

TEST_F(PressTest, FirstPixelRowAndColumnOfTheInnerBlockAreRefused) {
  ExpectRefused(75, 300, 1, 2);
  ExpectRefused(300, 225, 4, 1);
  ExpectRefused(525, 300, 7, 2);
  ExpectRefused(300, 675, 4, 7);
}

TEST_F(PressTest, EveryEdgeCellIsRefused) {
  for (int i = 0; i < 8; ++i) {
    ExpectRefused(75 * i + 40, 190, i, 0);
    ExpectRefused(75 * i + 40, 190 + 75 * 7, i, 7);
    ExpectRefused(40, 190 + 75 * i, 0, i);
    ExpectRefused(40 + 75 * 7, 190 + 75 * i, 7, i);
  }
}

TEST_F(PressTest, InnerCellHoldingTheCrystalIsRefusedAndTheBoardStays) {
  Board[3][4] = kBonusKind;
  std::int16_t before[kColumns][kRows];
  std::copy(&Board[0][0], &Board[0][0] + 64, &before[0][0]);
  Press(*game_, 2, 3 * 75 + 30, 150 + 4 * 75 + 30);
  EXPECT_EQ(AnimState, kShakeBall);
  EXPECT_NE(RevertPending, kTrue);
  EXPECT_TRUE(std::equal(&Board[0][0], &Board[0][0] + 64, &before[0][0]));
}

TEST_F(PressTest, MiddleButtonOnlyResetsAnimTick) {
  game_->AnimTick = 40;
  Press(*game_, 4, 300, 400);
  EXPECT_EQ(game_->AnimTick, 0);
  EXPECT_EQ(AnimState, 0);
  EXPECT_FALSE(game_->TAnim.Enabled());
  EXPECT_TRUE(game_->Enabled());
}

TEST_F(PressTest, PressesWhileAMoveRunsAreNotReceived) {
  Press(*game_, 2, 300, 400);
  const int col = game_->CenterCol;
  Press(*game_, 2, 150, 250);
  EXPECT_EQ(game_->CenterCol, col);
  EXPECT_EQ(game_->AnimTick, 0);
}

}  // namespace
}  // namespace game::testing

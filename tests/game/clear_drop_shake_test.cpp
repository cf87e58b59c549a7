// SPDX-License-Identifier: MIT
// The shrink, drop and shake frames and their tick counts.
#include <vector>

#include "platform/headless/headless.h"
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

using platform::headless::Press;

struct TickRecord {
  std::int16_t stateBefore, tickBefore, stateAfter, tickAfter;
  float zoomBefore;
};

class AnimationTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    OpenGame();
    SetLineFreeBoard();
    ShowBoard();
    // Checks run here directly are followed by ticks that redraw the last press's ring.
    game_->CenterCol = game_->CenterRow = 4;
  }
  // Puts a line of crystals (found nowhere else) into the line-free board and runs the
  // check on it.
  void CheckLine(int col, int row, int length, int direction) {
    for (int k = 0; k < length; ++k) {
      Board[direction == 1 ? col : col + k][direction == 1 ? row + k : row] = kBonusKind;
    }
    game_->CheckLines(1);
    ASSERT_EQ(AnimState, kShrinkLine);
    ASSERT_EQ(MatchCol, col);
    ASSERT_EQ(MatchRow, row);
  }
  // Ticks until the drop has ended (state 1 with AnimTick 71), recording every tick.
  std::vector<TickRecord> RunClear() {
    std::vector<TickRecord> ticks;
    while (ticks.size() < 200) {
      TickRecord t{AnimState, game_->AnimTick, 0, 0, game_->ZoomScale};
      RunAnimTicks(1);
      t.stateAfter = AnimState;
      t.tickAfter = game_->AnimTick;
      ticks.push_back(t);
      if (AnimState == kSlideClockwise) break;
    }
    return ticks;
  }
  static int Count(const std::vector<TickRecord>& ticks, std::int16_t stateAfter) {
    int n = 0;
    for (const auto& t : ticks) n += t.stateAfter == stateAfter;
    return n;
  }
};

TEST_F(AnimationTest, EighteenShrinkFramesFromOneDownToFifteenHundredths) {
  CheckLine(2, 3, 4, 1);
  const auto ticks = RunClear();
  int shrinkTicks = 0;
  for (const auto& t : ticks) shrinkTicks += t.stateBefore == kShrinkLine;
  EXPECT_EQ(shrinkTicks, 18);
  for (int i = 0; i < 18; ++i) {
    EXPECT_NEAR(ticks[i].zoomBefore, 1.0 - 0.05 * i, 1e-5) << i;
  }
  EXPECT_EQ(ticks[17].stateAfter, kDropColumn);  // state 4 begins in the 18th tick
  EXPECT_FLOAT_EQ(game_->ZoomScale, 0.1f);
  EXPECT_EQ(ChainActive, kTrue);
}

// Centres round half to even: column 5 and rows 3 and 5 are centred on x 412 and y 412
// and 562, not 413 and 563.
TEST_F(AnimationTest, ShrinkFramesAreCentredOnTheLinesCells) {
  CheckLine(5, 3, 4, 1);
  RunAnimTicks(1);  // factor 1.0: the whole cells
  for (int r = 3; r <= 6; ++r) {
    EXPECT_EQ(Pixel(375 + 1, 150 + 75 * r + 1), kBallColour[kBonusKind]) << r;
  }
  RunAnimTicks(10);  // factor 0.4999999: 37 pixels, from centre - 18 to centre + 18
  for (int y : {412, 562}) {
    EXPECT_EQ(Pixel(412 - 18, y - 18), kBallColour[kBonusKind]) << y;
    EXPECT_EQ(Pixel(412 + 18, y + 18), kBallColour[kBonusKind]) << y;
    EXPECT_EQ(Pixel(412 - 19, y), gfx::kWhite) << y;
    EXPECT_EQ(Pixel(412, y + 19), gfx::kWhite) << y;
  }
  EXPECT_EQ(Pixel(412, 638), kBallColour[kBonusKind]);
}

// Drop frames for every row a vertical line can start in, and the wait of horizontal
// lines: 0 for rows 0 and 1, then 5 more per row; the last frame at 75 (row - 1) - 15.
TEST_F(AnimationTest, DropFramesAndTickCountsForEveryMatchRow) {
  for (int length = 3; length <= 4; ++length) {
    for (int row = 0; row + length <= kRows; ++row) {
      SetLineFreeBoard();
      CheckLine(5, row, length, 1);
      const auto ticks = RunClear();
      const int expected = row < 2 ? 0 : 5 * (row - 1);
      EXPECT_EQ(Count(ticks, kDropColumn), expected) << "row " << row << " length " << length;
      if (expected > 0) {
        EXPECT_EQ(ticks[ticks.size() - 2].tickAfter, 75 * (row - 1)) << row;
      }
      EXPECT_EQ(ticks.back().tickAfter, 71);
      EXPECT_FALSE(game_->Enabled());
      EXPECT_TRUE(game_->TAnim.Enabled());
    }
  }
  for (int row = 0; row < kRows; ++row) {
    SetLineFreeBoard();
    CheckLine(3, row, 3, 0);
    const auto ticks = RunClear();
    EXPECT_EQ(Count(ticks, kDropColumn), row < 2 ? 0 : 5 * (row - 1)) << "horizontal " << row;
  }
}

// Column 2, rows 3 to 6, K = 3: the balls now in rows 5, 4 and 3 start at y 300, 225, 150.
TEST_F(AnimationTest, DropOfAVerticalFourDrawsThreeBallsKRowsUp) {
  CheckLine(2, 3, 4, 1);
  for (int i = 0; i < 18; ++i) RunAnimTicks(1);
  ASSERT_EQ(AnimState, kDropColumn);
  EXPECT_EQ(game_->AnimTick, 15);  // the first drop frame came with the last shrink
  EXPECT_EQ(Pixel(187, 300 + 37), kBallColour[Board[2][5]]);
  EXPECT_EQ(Pixel(187, 225 + 37), kBallColour[Board[2][4]]);
  EXPECT_EQ(Pixel(187, 150 + 37), kBallColour[Board[2][3]]);
  EXPECT_EQ(Pixel(187, 600 + 37), gfx::kWhite);  // the fourth cell stays empty
  EXPECT_EQ(Pixel(187, 525 + 37), gfx::kWhite);
  RunAnimTicks(9);
  EXPECT_EQ(game_->AnimTick, 150);
  EXPECT_EQ(Pixel(187, 300 + 135 + 37), kBallColour[Board[2][5]]);
  RunAnimTicks(1);  // the redraw
  EXPECT_EQ(AnimState, kSlideClockwise);
  EXPECT_EQ(game_->AnimTick, 71);
  for (int r = 0; r < kRows; ++r) EXPECT_EQ(CellPixel(2, r), kBallColour[Board[2][r]]) << r;
}

TEST_F(AnimationTest, HorizontalLineStripStaysEmptyUntilTheRedraw) {
  CheckLine(1, 7, 3, 0);
  for (int i = 0; i < 18 + 29; ++i) RunAnimTicks(1);
  EXPECT_EQ(AnimState, kDropColumn);
  EXPECT_EQ(CellPixel(1, 7), gfx::kWhite);
  EXPECT_EQ(CellPixel(3, 7), gfx::kWhite);
  RunAnimTicks(1);
  EXPECT_EQ(AnimState, kSlideClockwise);
  EXPECT_EQ(CellPixel(1, 7), kBallColour[Board[1][7]]);
}

// A refused press on cell (3, 0): the ball stands 3 pixels right exactly at AnimTick 30,
// 90, 150, 210 and 270, and left in the other 16 of the 21 frames.
TEST_F(AnimationTest, ShakeOfARefusedPress) {
  const gfx::Pixel ball = kBallColour[Board[3][0]];
  Press(*game_, 2, 3 * 75 + 30, 160);
  ASSERT_EQ(AnimState, kShakeBall);
  std::vector<int> right;
  for (int frame = 0; frame < 21; ++frame) {
    const int tick = game_->AnimTick;
    RunAnimTicks(1);
    const bool atRight = Pixel(225 + 74, 187) == ball;
    const bool atLeft = Pixel(225 + 1, 187) == ball;
    EXPECT_NE(atRight, atLeft) << tick;
    if (atRight) right.push_back(tick);
  }
  EXPECT_EQ(right, (std::vector<int>{30, 90, 150, 210, 270}));
  EXPECT_TRUE(game_->TAnim.Enabled());
  RunAnimTicks(1);  // the 22nd tick redraws and ends the move
  EXPECT_FALSE(game_->TAnim.Enabled());
  EXPECT_TRUE(game_->Enabled());
  EXPECT_EQ(RevertPending, kFalse);
  EXPECT_EQ(AnimState, kSlideClockwise);
  EXPECT_EQ(Pixel(225 + 76, 187), kBallColour[Board[4][0]]);  // the spill is gone
}

}  // namespace
}  // namespace game::testing

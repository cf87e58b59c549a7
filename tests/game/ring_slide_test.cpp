// SPDX-License-Identifier: MIT
// The slide of a turned ring, checked on the composed frames.
#include "game/ring.h"
#include "gfx/raster.h"
#include "platform/headless/headless.h"
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

using platform::headless::Press;

struct Slide {
  CellOffset start, step;
};
// Start cell and direction of each moving ball, in drawing order.
constexpr std::array<Slide, 8> kClockwiseSlides = {{{{-1, -1}, {1, 0}},
                                                    {{0, -1}, {1, 0}},
                                                    {{1, -1}, {0, 1}},
                                                    {{1, 0}, {0, 1}},
                                                    {{1, 1}, {-1, 0}},
                                                    {{0, 1}, {-1, 0}},
                                                    {{-1, 1}, {0, -1}},
                                                    {{-1, 0}, {0, -1}}}};
constexpr std::array<Slide, 8> kCounterclockwiseSlides = {{{{-1, -1}, {0, 1}},
                                                           {{0, -1}, {-1, 0}},
                                                           {{1, -1}, {-1, 0}},
                                                           {{1, 0}, {0, -1}},
                                                           {{1, 1}, {0, -1}},
                                                           {{0, 1}, {1, 0}},
                                                           {{-1, 1}, {1, 0}},
                                                           {{-1, 0}, {0, 1}}}};

class SlideTest : public GameTest {
 protected:
  static constexpr int kC = 4, kR = 3;
  void SetUp() override {
    GameTest::SetUp();
    OpenGame();
    SetLineFreeBoard();
    ShowBoard();
    std::copy(&Board[0][0], &Board[0][0] + 64, &before_[0][0]);
  }
  // Every ball of the ring is offset pixels along its way; the centre pixel of its square
  // shows the kind it carries (the kind its start cell held before the press).
  void ExpectBallsAt(const std::array<Slide, 8>& slides, int offset) {
    const gfx::Surface frame = platform::headless::Frame(*game_);
    for (const Slide& s : slides) {
      const int x = kCell * (kC + s.start.dc) + offset * s.step.dc + 37;
      const int y = kBoardTop + kCell * (kR + s.start.dr) + offset * s.step.dr + 37;
      EXPECT_EQ(frame.at(x, y), kBallColour[before_[kC + s.start.dc][kR + s.start.dr]])
          << "ball from " << s.start.dc << "," << s.start.dr << " at offset " << offset;
    }
    EXPECT_EQ(frame.at(kCell * kC + 1, kBoardTop + kCell * kR + 1), kBallColour[before_[kC][kR]]);
  }
  // The ring block as it would be drawn from scratch.
  gfx::Surface Block(const gfx::Surface& frame) {
    gfx::Surface block(225, 225);
    for (int y = 0; y < 225; ++y) {
      for (int x = 0; x < 225; ++x) {
        block.at(x, y) = frame.at(kCell * (kC - 1) + x, kBoardTop + kCell * (kR - 1) + y);
      }
    }
    return block;
  }
  // Balls with a shape, as the real pictures: a disc of the kind's colour on white.
  void UseDiscBalls() {
    for (int kind = 0; kind < 7; ++kind) {
      gfx::Surface disc(kCell, kCell, gfx::kWhite);
      for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
          if ((x - 37) * (x - 37) + (y - 37) * (y - 37) <= 36 * 36)
            disc.at(x, y) = kBallColour[kind];
        }
      }
      game_->PicBall(kind).SetPicture(disc);
    }
  }
  // The ring block as a frame must show it: erased, the centre copied, then each ball's
  // two copies (MERGEPAINT, SRCAND) in the table's order.
  gfx::Surface ExpectedBlock(const std::array<Slide, 8>& slides, int offset) {
    gfx::Surface block(225, 225, gfx::kWhite);
    gfx::fxBitBlt(block, kCell, kCell, kCell, kCell, game_->PicBall(Board[kC][kR]).Image(), 0, 0,
                  gfx::SRCCOPY);
    for (const Slide& s : slides) {
      const auto& ball =
          game_->PicBall(Board[kC + s.start.dc + s.step.dc][kR + s.start.dr + s.step.dr]).Image();
      const int x = kCell * (1 + s.start.dc) + offset * s.step.dc;
      const int y = kCell * (1 + s.start.dr) + offset * s.step.dr;
      gfx::fxBitBlt(block, x, y, kCell, kCell, ball, 0, 64, gfx::MERGEPAINT);
      gfx::fxBitBlt(block, x, y, kCell, kCell, ball, 0, 0, gfx::SRCAND);
    }
    return block;
  }
  std::int16_t before_[kColumns][kRows];
};

TEST_F(SlideTest, ClockwiseSlideTakesSixteenTicksWithFramesAtZeroSeventyAndRest) {
  const gfx::Surface blockBefore = Block(platform::headless::Frame(*game_));
  Press(*game_, 2, 300, 400);
  RunAnimTicks(1);
  EXPECT_EQ(game_->AnimTick, 5);
  EXPECT_TRUE(Block(platform::headless::Frame(*game_)) == blockBefore);  // offset 0
  ExpectBallsAt(kClockwiseSlides, 0);
  RunAnimTicks(14);
  EXPECT_EQ(game_->AnimTick, 75);
  EXPECT_EQ(AnimState, kSlideClockwise);
  ExpectBallsAt(kClockwiseSlides, 70);
  RunAnimTicks(1);  // the 16th tick: at rest, then the line check turns the ring back
  ExpectBallsAt(kClockwiseSlides, 75);
  EXPECT_EQ(AnimState, kSlideCounterclockwise);
  EXPECT_EQ(game_->AnimTick, 0);
}

// Overlapping discs show the order of the balls and of each ball's two copies: every
// frame of the turn and of the turn back is the block drawn as the tables say.
TEST_F(SlideTest, FramesDrawTheBallsInTheTablesOrder) {
  UseDiscBalls();
  Press(*game_, 2, 300, 400);
  for (const auto* slides : {&kClockwiseSlides, &kCounterclockwiseSlides}) {
    for (int offset = 0; offset <= kCell; offset += 5) {
      const gfx::Surface expected = ExpectedBlock(*slides, offset);
      RunAnimTicks(1);
      ASSERT_TRUE(Block(platform::headless::Frame(*game_)) == expected) << "offset " << offset;
    }
  }
  EXPECT_FALSE(game_->TAnim.Enabled());
}

TEST_F(SlideTest, CounterclockwiseSlideFrames) {
  Press(*game_, 1, 300, 400);
  RunAnimTicks(1);
  ExpectBallsAt(kCounterclockwiseSlides, 0);
  RunAnimTicks(14);
  ExpectBallsAt(kCounterclockwiseSlides, 70);
  RunAnimTicks(1);
  ExpectBallsAt(kCounterclockwiseSlides, 75);
  EXPECT_EQ(AnimState, kSlideClockwise);
}

// A frame at offset 70 leaves every ball 5 pixels short: the destination cell's far edge
// still shows what the leading ball does not cover yet.
TEST_F(SlideTest, OffsetSeventyLeavesBallsFivePixelsShort) {
  Press(*game_, 2, 300, 400);
  RunAnimTicks(15);
  // Ball NW to N moves right: its right edge is at 75(C-1) + 70 + 74, five short of N's.
  const int nRight = kCell * kC + 74;
  const int y = kBoardTop + kCell * (kR - 1) + 37;
  EXPECT_EQ(Pixel(nRight - 5, y), kBallColour[before_[kC - 1][kR - 1]]);
  EXPECT_EQ(Pixel(nRight - 4, y), kBallColour[before_[kC][kR - 1]]);  // ball N to NE
}

TEST_F(SlideTest, TurnBackSlidesTheOtherWayAndEndsTheMoveWithTheOldBoard) {
  Press(*game_, 2, 300, 400);
  const int ticks = RunMove();
  EXPECT_EQ(ticks, 32);
  EXPECT_TRUE(std::equal(&Board[0][0], &Board[0][0] + 64, &before_[0][0]));
  EXPECT_EQ(RevertPending, kFalse);
  EXPECT_FALSE(game_->TAnim.Enabled());
  EXPECT_TRUE(game_->Enabled());
  for (int c = kC - 1; c <= kC + 1; ++c) {
    for (int r = kR - 1; r <= kR + 1; ++r) EXPECT_EQ(CellPixel(c, r), kBallColour[Board[c][r]]);
  }
}

TEST_F(SlideTest, CascadeReentryRedrawsTheRingAtRestAndChecksAtOnce) {
  game_->CenterCol = kC;
  game_->CenterRow = kR;
  AnimState = kSlideClockwise;
  game_->AnimTick = 71;
  RevertPending = kFalse;
  game_->TAnim.SetEnabled(true);
  game_->SetEnabled(false);
  RunAnimTicks(1);
  EXPECT_FALSE(game_->TAnim.Enabled());  // no line: the move ends in this tick
  EXPECT_TRUE(game_->Enabled());
  EXPECT_EQ(CellPixel(kC + 1, kR), kBallColour[Board[kC + 1][kR]]);
}

}  // namespace
}  // namespace game::testing

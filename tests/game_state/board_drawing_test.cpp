// SPDX-License-Identifier: MIT
#include <array>
#include <memory>

#include <gtest/gtest.h>

#include "game/game_state.h"

namespace game {
namespace {

using gfx::Pixel;
using gfx::Rgb;
using gfx::Surface;

// Seven ball pictures on white: a disc-like square of the kind's colour, with a mark in
// the lower rows that the MERGEPAINT copy reads.
class BoardDrawingTest : public ::testing::Test {
 protected:
  static Pixel KindColour(int kind) { return Rgb(30 * kind, 200 - 20 * kind, 40 + kind); }

  void SetUp() override {
    ResetSharedState();
    for (int k = 0; k < 7; ++k) {
      balls_[k] = std::make_unique<Surface>(kCell, kCell, gfx::kWhite);
      balls_[k]->fillRect(10, 10, 55, 55, KindColour(k));
      balls_[k]->at(5, 70) = Rgb(0, 0, 255);
    }
    BoardCanvas canvas;
    canvas.target = &window_;
    for (int k = 0; k < 7; ++k) canvas.balls[k] = balls_[k].get();
    canvas.empty = &empty_;
    SetBoardCanvas(canvas);
  }
  void TearDown() override { ResetSharedState(); }

  Surface window_{1024, 768, gfx::kBlack};
  Surface empty_{962, 716, gfx::kWhite};
  std::array<std::unique_ptr<Surface>, 7> balls_;
};

TEST_F(BoardDrawingTest, BallOnErasedCellIsThePicture) {
  window_.fill(gfx::kWhite);
  DrawBall(3, 150, 225);
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x) ASSERT_EQ(window_.at(150 + x, 225 + y), balls_[3]->at(x, y));
}

TEST_F(BoardDrawingTest, BallCombinesWithWhatTheCellHolds) {
  const Pixel under = Rgb(0x12, 0x34, 0x56);
  window_.fill(under);
  balls_[2]->at(40, 74) = Rgb(0, 0, 255);
  DrawBall(2, 0, 150);
  // (5, 6) first takes D OR NOT blue from picture row 70, then AND the white picture pixel.
  EXPECT_EQ(window_.at(5, 156), Rgb(0xFF, 0xFF, 0x56));
  // White picture parts leave the cell as it was; rows past the picture change nothing.
  EXPECT_EQ(window_.at(2, 160), under);
  EXPECT_EQ(window_.at(70, 220), under);
  // Inside the ball: D AND colour.
  EXPECT_EQ(window_.at(40, 190), under & KindColour(2));
  // Where both copies read the ball (rows 10 and 74), the MERGEPAINT must come first.
  EXPECT_EQ(window_.at(40, 160), Rgb(0xFF, 0xFF, 0x56) & KindColour(2));
  EXPECT_EQ(window_.at(75, 150), under);  // the next cell is untouched
}

TEST_F(BoardDrawingTest, EraseCopiesTheTopLeftOfTheEmptyPicture) {
  empty_.at(0, 0) = Rgb(9, 9, 9);
  empty_.at(300, 300) = Rgb(1, 1, 1);
  EraseArea(300, 300, 75, 30);
  EXPECT_EQ(window_.at(300, 300), Rgb(9, 9, 9));
  EXPECT_EQ(window_.at(374, 329), gfx::kWhite);
  EXPECT_EQ(window_.at(374, 330), gfx::kBlack);
  EXPECT_EQ(window_.at(375, 300), gfx::kBlack);
}

TEST_F(BoardDrawingTest, RedrawShowsEveryCellAtItsColumnAndRow) {
  for (int c = 0; c < kColumns; ++c)
    for (int r = 0; r < kRows; ++r) Board[c][r] = std::int16_t((c + 2 * r) % 7);
  RedrawBoard();
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < kRows; ++r) {
      const int x = kCell * c, y = kBoardTop + kCell * r;
      EXPECT_EQ(window_.at(x + 37, y + 37), KindColour((c + 2 * r) % 7)) << c << "," << r;
      EXPECT_EQ(window_.at(x + 2, y + 2), gfx::kWhite);  // erased before the ball went on
    }
  }
  EXPECT_EQ(window_.at(600, 400), gfx::kBlack);  // right of the board
  EXPECT_EQ(window_.at(300, 149), gfx::kBlack);  // above it
}

TEST(BoardDrawing, WithoutCanvasNothingIsDrawn) {
  SetBoardCanvas(BoardCanvas{});
  DrawBall(0, 0, 0);
  EraseArea(0, 0, 10, 10);
  RedrawBoard();
  EXPECT_EQ(CurrentBoardCanvas().target, nullptr);
}

}  // namespace
}  // namespace game

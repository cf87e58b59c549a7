// SPDX-License-Identifier: MIT
#include <utility>
#include <vector>

#include "app/frm_door.h"
#include "app/frm_how_to_play.h"
#include "app/frm_splash.h"
#include "app_test_support.h"
#include "game/game_state.h"
#include "gfx/raster.h"
#include "platform/headless/headless.h"

namespace app_test {
namespace {

namespace hl = platform::headless;
using Rows = std::vector<std::vector<int>>;  // the block row by row

constexpr const char* kRightText = "Click mouse Right Button to turn clockwise";
constexpr const char* kLeftText = "Click mouse Left Button to turn counterclockwise";

struct Ball {
  int kind, x, y;
};

class HowToPlayTest : public AppTest {
 protected:
  app::FrmHowToPlay& Open() {
    auto& howTo = app::frmHowToPlay();
    howTo.Show();
    return howTo;
  }
  static Rows BoardRows(const app::FrmHowToPlay& howTo) {
    Rows rows(3, std::vector<int>(3));
    for (int r = 0; r < 3; ++r) {
      for (int c = 0; c < 3; ++c) rows[r][c] = howTo.DemoBoard[c][r];
    }
    return rows;
  }
  // The block as the balls drawn on white in the given order would make it.
  static gfx::Surface Expected(app::FrmHowToPlay& howTo, const std::vector<Ball>& balls,
                               const Ball* centreCopy = nullptr) {
    gfx::Surface block(225, 225, gfx::kWhite);
    if (centreCopy) {
      gfx::fxBitBlt(block, centreCopy->x, centreCopy->y, 75, 75,
                    howTo.PicBall(centreCopy->kind).Image(), 0, 0, gfx::SRCCOPY);
    }
    for (const Ball& b : balls) {
      const gfx::Surface& picture = howTo.PicBall(b.kind).Image();
      gfx::fxBitBlt(block, b.x, b.y, 75, 75, picture, 0, 64, gfx::MERGEPAINT);
      gfx::fxBitBlt(block, b.x, b.y, 75, 75, picture, 0, 0, gfx::SRCAND);
    }
    return block;
  }
  static gfx::Surface AtRest(app::FrmHowToPlay& howTo, const Rows& rows, bool withCentre) {
    std::vector<Ball> balls;
    for (int r = 0; r < 3; ++r) {
      for (int c = 0; c < 3; ++c) {
        if (withCentre || r != 1 || c != 1) balls.push_back({rows[r][c], 75 * c, 75 * r});
      }
    }
    return Expected(howTo, balls);
  }
  static gfx::Surface Block(const app::FrmHowToPlay& howTo) {
    return Crop(howTo.Image(), 0, 0, 225, 225);
  }
  static bool OnlyVisible(const app::FrmHowToPlay& howTo, const platform::Image& mouse) {
    return howTo.imgMouse.Visible() == (&mouse == &howTo.imgMouse) &&
           howTo.imgMouseL.Visible() == (&mouse == &howTo.imgMouseL) &&
           howTo.imgMouseR.Visible() == (&mouse == &howTo.imgMouseR);
  }

  const Rows loaded_ = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}};
  const Rows turned_ = {{1, 0, 0}, {2, 1, 0}, {2, 2, 1}};
};

TEST_F(HowToPlayTest, LoadShowsThreeRowsOfEqualBallsAndThePlainMouse) {
  auto& howTo = Open();
  EXPECT_EQ(howTo.Caption(), "How To Play");
  EXPECT_EQ(howTo.ClientWidth(), 229);
  EXPECT_EQ(howTo.ClientHeight(), 375);
  EXPECT_EQ(howTo.DemoState, 0);
  EXPECT_EQ(howTo.DemoCol, 1);
  EXPECT_EQ(howTo.DemoRow, 1);
  EXPECT_EQ(BoardRows(howTo), loaded_);
  EXPECT_TRUE(OnlyVisible(howTo, howTo.imgMouse));
  EXPECT_EQ(howTo.lblText.Caption(), kRightText);
  EXPECT_EQ(howTo.lblBack.Caption(), "Play Now!");
  EXPECT_EQ(howTo.lblFirst.Caption(), "How To Play on 1st Run");
  EXPECT_EQ(Block(howTo), AtRest(howTo, loaded_, true));
}

TEST_F(HowToPlayTest, NothingMovesForTheFirst199Ticks) {
  auto& howTo = Open();
  const gfx::Surface before = howTo.Image();
  hl::RunTicks(howTo.Timer1, 199);
  EXPECT_EQ(howTo.DemoState, 0);
  EXPECT_EQ(howTo.DemoWait, 199);
  EXPECT_EQ(howTo.Image(), before);
  EXPECT_TRUE(OnlyVisible(howTo, howTo.imgMouse));
}

TEST_F(HowToPlayTest, The200thTickTurnsTheModelAndDrawsAFrameLikeTheBlockBefore) {
  auto& howTo = Open();
  const gfx::Surface before = Block(howTo);
  hl::RunTicks(howTo.Timer1, 200);
  EXPECT_EQ(howTo.DemoState, 1);
  EXPECT_EQ(howTo.DemoWait, 0);
  EXPECT_EQ(howTo.DemoOffset, 5);
  EXPECT_EQ(BoardRows(howTo), turned_);
  EXPECT_TRUE(OnlyVisible(howTo, howTo.imgMouseR));
  EXPECT_EQ(howTo.lblText.Caption(), kRightText);
  EXPECT_EQ(Block(howTo), before);
}

TEST_F(HowToPlayTest, ClockwiseFrameAtOffset35) {
  auto& howTo = Open();
  hl::RunTicks(howTo.Timer1, 207);  // frames 0, 5 ... 35
  ASSERT_EQ(howTo.DemoOffset, 40);
  const Ball centre{1, 75, 75};
  const std::vector<Ball> ring = {{0, 35, 0},    {0, 110, 0},  {0, 150, 35}, {1, 150, 110},
                                  {2, 115, 150}, {2, 40, 150}, {2, 0, 115},  {1, 0, 40}};
  EXPECT_EQ(Block(howTo), Expected(howTo, ring, &centre));
}

TEST_F(HowToPlayTest, CompletingTheClockwiseSlidePutsEveryBallOnItsCellAndLeavesTheCentreErased) {
  auto& howTo = Open();
  hl::RunTicks(howTo.Timer1, 214);
  EXPECT_EQ(howTo.DemoState, 1);
  hl::RunTicks(howTo.Timer1, 1);
  EXPECT_EQ(howTo.DemoState, 4);
  EXPECT_EQ(howTo.DemoOffset, 0);
  EXPECT_EQ(howTo.lblText.Caption(), kLeftText);
  EXPECT_TRUE(OnlyVisible(howTo, howTo.imgMouseR));
  EXPECT_EQ(Block(howTo), AtRest(howTo, turned_, false));
}

TEST_F(HowToPlayTest, CounterclockwiseFrameAtOffset35) {
  auto& howTo = Open();
  hl::RunTicks(howTo.Timer1, 415 + 7);
  ASSERT_EQ(howTo.DemoState, 2);
  ASSERT_EQ(howTo.DemoOffset, 40);
  const Ball centre{1, 75, 75};
  // The model is back to rows of equal kinds; each ball slides towards its cell.
  const std::vector<Ball> ring = {{1, 0, 35},    {0, 40, 0},    {0, 115, 0},  {0, 150, 40},
                                  {1, 150, 115}, {2, 110, 150}, {2, 35, 150}, {2, 0, 110}};
  EXPECT_EQ(Block(howTo), Expected(howTo, ring, &centre));
}

TEST_F(HowToPlayTest, TimelineOfTheWholeDemonstration) {
  game::FirstRunDone = game::kTrue;
  auto& howTo = Open();
  std::vector<std::pair<int, int>> changes;  // (tick, new DemoState)
  int state = howTo.DemoState;
  for (int tick = 1; tick <= 629; ++tick) {
    hl::RunTicks(howTo.Timer1, 1);
    if (howTo.DemoState != state) changes.emplace_back(tick, state = howTo.DemoState);
    if (tick == 415) {
      EXPECT_EQ(BoardRows(howTo), loaded_);
      EXPECT_EQ(howTo.lblText.Caption(), kLeftText);
    }
    if (tick == 416) {
      EXPECT_TRUE(OnlyVisible(howTo, howTo.imgMouseL));
    }
  }
  const std::vector<std::pair<int, int>> expected = {{200, 1}, {215, 4}, {415, 2}, {430, 5}};
  EXPECT_EQ(changes, expected);
  EXPECT_EQ(Block(howTo), AtRest(howTo, loaded_, true));
  EXPECT_TRUE(OnlyVisible(howTo, howTo.imgMouseL));
  EXPECT_TRUE(howTo.Visible());
  EXPECT_FALSE(app::frmDoor().Visible());
  hl::RunTicks(howTo.Timer1, 1);  // tick 630
  EXPECT_TRUE(app::frmDoor().Visible());
}

TEST_F(HowToPlayTest, AtTheFirstStartItGoesOnToTheSplash) {
  game::FirstRunDone = game::kFalse;
  auto& howTo = Open();
  hl::RunTicks(howTo.Timer1, 630);
  EXPECT_TRUE(app::frmSplash().Visible());
}

TEST_F(HowToPlayTest, PlayNowDuringASlideLeavesAtOnce) {
  game::FirstRunDone = game::kTrue;
  auto& howTo = Open();
  hl::RunTicks(howTo.Timer1, 205);
  ClickOn(howTo.lblBack);
  EXPECT_TRUE(app::frmDoor().Visible());
  hl::AdvanceMs(1000);
  EXPECT_FALSE(app::frmHowToPlay().Visible());
  app::frmDoor().Hide();
  auto& again = Open();
  hl::RunTicks(again.Timer1, 205);
  hl::PressKey(platform::Key::Escape);  // Escape is "Play Now!"
  EXPECT_TRUE(app::frmDoor().Visible());
}

TEST_F(HowToPlayTest, EveryShowingHasItsFullFirstPause) {
  game::FirstRunDone = game::kTrue;
  auto& first = Open();
  hl::RunTicks(first.Timer1, 150);
  ClickOn(first.lblBack);
  hl::AdvanceMs(100);
  auto& second = Open();
  hl::RunTicks(second.Timer1, 199);
  EXPECT_EQ(second.DemoState, 0);
  hl::RunTicks(second.Timer1, 1);
  EXPECT_EQ(second.DemoState, 1);
}

}  // namespace
}  // namespace app_test

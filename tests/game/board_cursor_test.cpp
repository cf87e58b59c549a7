// SPDX-License-Identifier: MIT
// Keyboard play: the cursor's drawing and movement, and key turns as presses.
#include "platform/headless/headless.h"
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

namespace hl = platform::headless;
using platform::Key;

class CursorTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    OpenGame();
    SetLineFreeBoard();
    ShowBoard();
    AnimState = 0;
  }
  void Arrow(Key key, int times = 1) {
    for (int i = 0; i < times; ++i) hl::PressKey(key);
  }
  // The frame's outer line is black and its inner one white; the ball shows inside.
  void ExpectCursorOn(int col, int row) {
    const int x = kCell * col, y = kBoardTop + kCell * row;
    EXPECT_EQ(Pixel(x, y + 30), gfx::kBlack) << col << "," << row;
    EXPECT_EQ(Pixel(x + 74, y + 40), gfx::kBlack);
    EXPECT_EQ(Pixel(x + 30, y + 2), gfx::kWhite);
    EXPECT_EQ(Pixel(x + 40, y + 72), gfx::kWhite);
    EXPECT_EQ(CellPixel(col, row), kBallColour[Board[col][row]]);
  }
  // The board exactly as drawn from the model, with no frame anywhere.
  void ExpectCleanBoard() {
    const gfx::Surface shown = hl::Frame(*game_);
    RedrawBoard();
    const gfx::Surface clean = hl::Frame(*game_);
    for (int y = kBoardTop; y < kBoardTop + 600; ++y)
      for (int x = 0; x < 600; ++x)
        ASSERT_EQ(shown.row(y)[x], clean.row(y)[x]) << "left behind at " << x << "," << y;
  }
};

TEST_F(CursorTest, FirstArrowShowsItOnTheCentreAndArrowsStopAtTheInnerEdges) {
  EXPECT_FALSE(game_->CursorShown());
  Arrow(Key::Right);
  EXPECT_TRUE(game_->CursorShown());
  EXPECT_EQ(game_->CursorCol, 3);
  EXPECT_EQ(game_->CursorRow, 3);
  ExpectCursorOn(3, 3);
  Arrow(Key::Left, 5);
  Arrow(Key::Up, 5);
  EXPECT_EQ(game_->CursorCol, 1);
  EXPECT_EQ(game_->CursorRow, 1);
  ExpectCursorOn(1, 1);
  Arrow(Key::Right, 9);
  Arrow(Key::Down, 9);
  EXPECT_EQ(game_->CursorCol, 6);
  EXPECT_EQ(game_->CursorRow, 6);
  hl::Press(*game_, 4, 300, 400);  // any press on the board hides it
  EXPECT_FALSE(game_->CursorShown());
  ExpectCleanBoard();
  Arrow(Key::Up);  // back where it was
  EXPECT_EQ(game_->CursorRow, 6);
}

TEST_F(CursorTest, StandsOutOnEveryKindAndLeavesNothingWhenItMoves) {
  Arrow(Key::Up);  // shown on (3, 3)
  for (int kind = 0; kind < 7; ++kind) {
    Board[3][3] = Board[4][3] = static_cast<std::int16_t>(kind);
    ShowBoard();
    Arrow(Key::Right);
    ExpectCursorOn(4, 3);
    Arrow(Key::Left);
    ExpectCursorOn(3, 3);
  }
  hl::Press(*game_, 4, 300, 400);
  ExpectCleanBoard();
}

// Each key turn is compared with the press it stands for, from the same board.
TEST_F(CursorTest, KeyTurnsAreThePressesOfTheCursorsCell) {
  struct Case {
    Key key;
    int shift, button;
  };
  for (const Case& c :
       {Case{Key::Space, 0, 2}, Case{Key::Enter, 0, 2}, Case{Key::Space, platform::kShiftMask, 1},
        Case{Key::Enter, platform::kShiftMask, 1}}) {
    SetLineFreeBoard();
    ShowBoard();
    Arrow(Key::Right);  // shown on (3, 3): the press below hides it again
    hl::PressKey(c.key, c.shift);
    std::int16_t byKey[kColumns][kRows];
    std::copy(&Board[0][0], &Board[0][0] + 64, &byKey[0][0]);
    EXPECT_EQ(game_->CenterCol, 3);
    EXPECT_EQ(game_->CenterRow, 3);
    EXPECT_EQ(AnimState, c.button == 2 ? kSlideClockwise : kSlideCounterclockwise);
    EXPECT_FALSE(game_->Enabled());
    RunMove();

    SetLineFreeBoard();
    ShowBoard();
    hl::Press(*game_, c.button, 3 * kCell + 10, kBoardTop + 3 * kCell + 60);
    EXPECT_TRUE(std::equal(&Board[0][0], &Board[0][0] + 64, &byKey[0][0]));
    RunMove();
  }
  Board[2][2] = kBonusKind;  // refused as a press on the crystal is
  Arrow(Key::Up);            // shown on (3, 3)
  Arrow(Key::Left);
  Arrow(Key::Up);
  hl::PressKey(Key::Space);
  EXPECT_EQ(AnimState, kShakeBall);
  EXPECT_EQ(game_->CenterCol, 2);
}

TEST_F(CursorTest, KeysDuringAMoveAreIgnoredAndTheFramesNeverLoseIt) {
  Arrow(Key::Down);
  hl::PressKey(Key::Enter);
  hl::RunTicks(game_->TAnim, 3);
  Arrow(Key::Right);
  hl::PressKey(Key::Escape);
  EXPECT_EQ(game_->CursorCol, 3);
  EXPECT_TRUE(GameWindowOpen());
  // Through the slide and its turn back the frame is drawn over every frame.
  while (game_->TAnim.Enabled()) {
    hl::RunTicks(game_->TAnim, 1);
    ExpectCursorOn(3, 3);
  }
  Arrow(Key::Right);
  ExpectCursorOn(4, 3);
  hl::Press(*game_, 4, 300, 400);
  ExpectCleanBoard();
}

TEST_F(CursorTest, EscapeLeavesTheGameAsExitDoes) {
  hl::PressKey(Key::Escape);
  EXPECT_EQ(menuShown_, 1);
  EXPECT_FALSE(GameWindowOpen());
}

// Tab goes to the music and Exit buttons; an arrow gives Space back to the board.
TEST_F(CursorTest, TheFocusRingReachesTheButtonsAndArrowsGiveTheKeysBack) {
  hl::PressKey(Key::Tab);
  EXPECT_EQ(game_->FocusedControl(), &game_->imgMusic);
  Arrow(Key::Up);
  EXPECT_FALSE(game_->FocusRingShown());
  hl::PressKey(Key::Space);
  EXPECT_EQ(AnimState, kSlideClockwise);
  RunMove();
  hl::PressKey(Key::Tab);  // on from where the ring was
  EXPECT_EQ(game_->FocusedControl(), &game_->imgExit);
  hl::PressKey(Key::Enter);
  EXPECT_EQ(menuShown_, 1);
}

}  // namespace
}  // namespace game::testing

// SPDX-License-Identifier: MIT
// The window manager's close request (close button, Alt+F4) on every screen: each answers
// it as its own way out does, and only the menu and the win screen end the program.
#include "app/frm_door.h"
#include "app/frm_how_to_play.h"
#include "app/frm_score.h"
#include "app/frm_splash.h"
#include "app/frm_win.h"
#include "app_test_support.h"
#include "audio/frm_music.h"
#include "game/game_state.h"
#include "platform/headless/headless.h"

namespace app_test {
namespace {

namespace hl = platform::headless;
using WindowCloseTest = AppTest;

TEST_F(WindowCloseTest, MenuQuits) {
  audio::frmMusic().Show();
  app::frmDoor().Show();
  hl::RequestClose(app::frmDoor());
  EXPECT_TRUE(hl::Ended());
  EXPECT_FALSE(audio::frmMusic().Loaded());  // a new instance: the old one was closed
}

TEST_F(WindowCloseTest, HighScoresGoBackToTheMenu) {
  auto& door = app::frmDoor();
  door.Show();
  ClickOn(door.ImgScore);
  hl::RequestClose(app::frmScore());
  EXPECT_TRUE(door.Visible());
  EXPECT_FALSE(hl::Ended());
  EXPECT_FALSE(app::frmScore().Loaded());
}

// On the first run the program's only window leads on to the splash and the menu.
TEST_F(WindowCloseTest, HowToPlayPlaysNow) {
  game::FirstRunDone = game::kFalse;
  app::frmHowToPlay().Show();
  hl::RequestClose(app::frmHowToPlay());
  EXPECT_TRUE(app::frmSplash().Visible());
  EXPECT_FALSE(hl::Ended());
  game::FirstRunDone = game::kTrue;
  app::frmHowToPlay().Show();
  hl::RequestClose(app::frmHowToPlay());
  EXPECT_TRUE(app::frmDoor().Visible());
}

TEST_F(WindowCloseTest, SplashGoesOnToTheMenu) {
  app::frmSplash().Show();
  hl::RequestClose(app::frmSplash());
  EXPECT_TRUE(app::frmDoor().Visible());
  EXPECT_FALSE(hl::Ended());
}

TEST_F(WindowCloseTest, WinScreenEndsAtOnce) {
  audio::frmMusic().Show();
  app::frmWin().Show();
  hl::RequestClose(app::frmWin());
  EXPECT_TRUE(hl::Ended());
}

}  // namespace
}  // namespace app_test

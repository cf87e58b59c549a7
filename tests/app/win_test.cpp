// SPDX-License-Identifier: MIT
#include "app/frm_win.h"
#include "app_test_support.h"
#include "platform/headless/headless.h"

namespace app_test {
namespace {

namespace hl = platform::headless;
using WinTest = AppTest;

TEST_F(WinTest, ShowsTheMessageAndTheLastInsigniaInTheMiddleOfTheWindow) {
  auto& win = app::frmWin();
  win.Show();
  EXPECT_EQ(win.Caption(), "Win!");
  EXPECT_EQ(win.ClientWidth(), 1024);
  EXPECT_EQ(win.ClientHeight(), 768);
  EXPECT_EQ(win.lblOver.Caption(), "Game Over. You are General of The Army!");
  EXPECT_EQ(win.Picture1.Left(), 432);
  EXPECT_EQ(win.Picture1.Top(), 314);
}

TEST_F(WinTest, InsigniaStaysInTheWindowOnALargerScreen) {
  hl::SetScreenSize(1280, 1024);
  auto& win = app::frmWin();
  win.Show();
  EXPECT_EQ(win.Picture1.Left(), 432);
  EXPECT_EQ(win.Picture1.Top(), 314);
}

TEST_F(WinTest, EndsTheProgramFiveSecondsLaterWhateverThePlayerDoes) {
  auto& win = app::frmWin();
  win.Show();
  hl::Click(win, 500, 400);
  hl::Press(win, 2, 100, 100);
  hl::PressKey(platform::Key::Escape);
  hl::AdvanceMs(4990);
  EXPECT_FALSE(hl::Ended());
  EXPECT_TRUE(win.Visible());
  hl::AdvanceMs(20);
  EXPECT_TRUE(hl::Ended());
}

}  // namespace
}  // namespace app_test

// SPDX-License-Identifier: MIT
#include <vector>

#include "app/frm_door.h"
#include "app/frm_splash.h"
#include "app_test_support.h"
#include "game/game_state.h"
#include "platform/headless/headless.h"
#include "storage/score_file.h"

namespace app_test {
namespace {

namespace hl = platform::headless;
using SplashTest = AppTest;

TEST_F(SplashTest, ScreenOneRowTooLowShowsTheWarningAndEndsWithNothingDone) {
  hl::SetScreenSize(4000, 767);  // the width does not help
  WriteFile("data/score.dat", "\"Abc\"\r\n1200\r\n");
  const auto before = WrittenFiles();
  app::frmSplash().Show();
  ASSERT_EQ(hl::MessageBoxes().size(), 1u);
  EXPECT_EQ(hl::MessageBoxes()[0].text, "Minimum screen resolution is 1024 * 768");
  EXPECT_EQ(hl::MessageBoxes()[0].title, "Warning");
  EXPECT_EQ(hl::MessageBoxes()[0].icon, platform::MsgBoxIcon::Exclamation);
  EXPECT_TRUE(hl::Ended());
  EXPECT_EQ(game::RankThresholds[24], 0);  // no later loading step ran
  EXPECT_EQ(game::HighScoreNames[0], "");
  hl::AdvanceMs(5000);
  EXPECT_EQ(WrittenFiles(), before);
}

TEST_F(SplashTest, ScreenExactly768HighPassesAndLoadsTheTables) {
  hl::SetScreenSize(800, 768);
  storage::ScoreTable table;
  table.names[0] = "Abc1";
  table.values[0] = 1200;
  table.names[7] = "Last";
  table.values[7] = 5;
  std::error_code error;
  ASSERT_TRUE(storage::SaveScoreFile(storage::ScoreFilePath(folder_), table, error));
  auto& splash = app::frmSplash();
  splash.Show();
  EXPECT_TRUE(hl::MessageBoxes().empty());
  EXPECT_FALSE(hl::Ended());
  EXPECT_EQ(splash.Caption(), "Zentorra");
  EXPECT_EQ(splash.ClientWidth(), 1024);
  EXPECT_EQ(splash.ClientHeight(), 768);
  EXPECT_EQ(game::RankThresholds[1], 11000);
  EXPECT_EQ(game::RankThresholds[24], 10000000);
  EXPECT_EQ(game::HighScoreNames[0], "Abc1");
  EXPECT_EQ(game::HighScoreValues[0], 1200);
  EXPECT_EQ(game::HighScoreNames[7], "Last");
  EXPECT_EQ(game::HighScoreValues[7], 5);
  EXPECT_TRUE(splash.Timer1.Enabled());
}

TEST_F(SplashTest, MissingHighScoreFileLeavesTheTableEmpty) {
  app::frmSplash().Show();
  for (int i = 0; i < game::kHighScoreCount; ++i) {
    EXPECT_EQ(game::HighScoreNames[i], "");
    EXPECT_EQ(game::HighScoreValues[i], 0);
  }
  EXPECT_FALSE(WrittenFiles().count("data/score.dat"));
}

TEST_F(SplashTest, FadesUpTo400AndBackThenOpensTheMenuOnThe81stTick) {
  auto& splash = app::frmSplash();
  splash.Show();
  std::vector<int> levels;
  for (int tick = 1; tick <= 80; ++tick) {
    hl::RunTicks(splash.Timer1, 1);
    levels.push_back(splash.FadeLevel);
    ASSERT_FALSE(app::frmDoor().Visible()) << "tick " << tick;
  }
  std::vector<int> expected;
  for (int level = 10; level <= 400; level += 10) expected.push_back(level);
  for (int level = 390; level >= 0; level -= 10) expected.push_back(level);
  EXPECT_EQ(levels, expected);
  hl::RunTicks(splash.Timer1, 1);
  EXPECT_TRUE(app::frmDoor().Visible());
  EXPECT_EQ(game::MusicSlot, 1);
}

TEST_F(SplashTest, TitleIsOpaqueAtTheTopOfTheFadeAndGoneAtTheEnd) {
  auto& splash = app::frmSplash();
  splash.Show();
  const gfx::Surface title = splash.picSplash.Image();
  ASSERT_EQ(title.width(), 600) << "the title picture is built with the program";
  hl::RunTicks(splash.Timer1, 40);  // level 400
  ASSERT_EQ(splash.FadeLevel, 400);
  gfx::Surface frame = hl::Frame(splash);
  EXPECT_EQ(Crop(frame, 200, 300, 600, 150), Crop(title, 0, 0, 600, 150));
  hl::RunTicks(splash.Timer1, 40);  // level 0
  ASSERT_EQ(splash.FadeLevel, 0);
  frame = hl::Frame(splash);
  EXPECT_EQ(Crop(frame, 200, 300, 600, 150), gfx::Surface(600, 150, gfx::kWhite));
  EXPECT_EQ(frame.at(100, 100), gfx::kWhite);
}

}  // namespace
}  // namespace app_test

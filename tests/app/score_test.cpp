// SPDX-License-Identifier: MIT
#include "app/frm_door.h"
#include "app/frm_score.h"
#include "app_test_support.h"
#include "game/game_state.h"
#include "platform/headless/headless.h"

namespace app_test {
namespace {

namespace hl = platform::headless;

class ScoreTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    game::FillRankThresholds();
  }
  app::FrmScore& OpenScores() {
    auto& scores = app::frmScore();
    scores.Show();
    return scores;
  }
  // The insignia the entry shows, or -1 for an empty box.
  static int ShownInsignia(app::FrmScore& scores, int entry) {
    if (!scores.picScore(entry).HasPicture()) return -1;
    for (int j = 0; j < game::kRankCount; ++j) {
      if (scores.picScore(entry).Image() == scores.picMR(j).Image()) return j;
    }
    return -2;
  }
};

TEST_F(ScoreTest, EmptyTableShowsEightBlankEntries) {
  auto& scores = OpenScores();
  EXPECT_EQ(scores.Caption(), "High Score");
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(scores.lblNo(i).Caption(), "No." + std::to_string(i + 1));
    EXPECT_EQ(scores.lblUser(i).Caption(), "Player:   ");
    EXPECT_EQ(scores.lblScorename(i).Caption(), "Score:");
    EXPECT_EQ(scores.lblScore(i).Caption(), "0");
    EXPECT_EQ(scores.lblScore(i).ForeColor(), gfx::Rgb(10, 154, 215));
    EXPECT_FALSE(scores.picScore(i).HasPicture());
  }
}

TEST_F(ScoreTest, EntriesShowNameGroupedScoreInTwoColumns) {
  game::HighScoreNames[0] = "Abc1";
  game::HighScoreValues[0] = 1200;
  game::HighScoreNames[4] = "Zed";
  game::HighScoreValues[4] = 999;
  game::HighScoreValues[5] = 2147483647;
  auto& scores = OpenScores();
  EXPECT_EQ(scores.lblUser(0).Caption(), "Player:   Abc1");
  EXPECT_EQ(scores.lblScore(0).Caption(), "1, 200");
  EXPECT_EQ(scores.lblUser(4).Caption(), "Player:   Zed");
  EXPECT_EQ(scores.lblScore(4).Caption(), "999");
  EXPECT_EQ(scores.lblScore(5).Caption(), "2, 147, 483, 647");
  EXPECT_EQ(scores.picScore(3).Left(), 0);
  EXPECT_EQ(scores.picScore(3).Top(), 628);
  EXPECT_EQ(scores.picScore(4).Left(), 510);
  EXPECT_EQ(scores.lblScore(2).Left(), 168);
  EXPECT_EQ(scores.lblScore(6).Top(), 548);
  EXPECT_EQ(scores.lblUser(7).Top(), 660);
}

TEST_F(ScoreTest, InsigniaIsTheHighestRankWhoseThresholdTheScoreExceeds) {
  game::HighScoreValues = {11000, 11001, 10000000, 10000001, 1, 0, -5, 2803000};
  auto& scores = OpenScores();
  EXPECT_EQ(ShownInsignia(scores, 0), 0);   // equal to rank 1's threshold: rank 0
  EXPECT_EQ(ShownInsignia(scores, 1), 1);   // one point more
  EXPECT_EQ(ShownInsignia(scores, 2), 23);  // equal to the last threshold
  EXPECT_EQ(ShownInsignia(scores, 3), 24);
  EXPECT_EQ(ShownInsignia(scores, 4), 0);
  EXPECT_EQ(ShownInsignia(scores, 5), -1);  // no rank for 0 or less
  EXPECT_EQ(ShownInsignia(scores, 6), -1);
  EXPECT_EQ(ShownInsignia(scores, 7), 17);
}

TEST_F(ScoreTest, InsigniaRuleAtEveryThreshold) {
  for (int j = 1; j < game::kRankCount; ++j) {
    EXPECT_EQ(app::FrmScore::InsigniaFor(game::RankThresholds[j]), j - 1);
    EXPECT_EQ(app::FrmScore::InsigniaFor(game::RankThresholds[j] + 1), j);
  }
  EXPECT_EQ(app::FrmScore::InsigniaFor(0), -1);
  EXPECT_EQ(app::FrmScore::InsigniaFor(2147483647), 24);
}

TEST_F(ScoreTest, BackClosesTheScreenAndReopeningShowsTheCurrentTable) {
  app::frmDoor().Show();
  auto& scores = OpenScores();
  app::frmDoor().Hide();
  ClickOn(scores.imgBack);
  EXPECT_TRUE(app::frmDoor().Visible());
  game::HighScoreNames[0] = "New";
  game::HighScoreValues[0] = 700;
  auto& again = OpenScores();
  EXPECT_EQ(again.lblUser(0).Caption(), "Player:   New");
  EXPECT_EQ(again.lblScore(0).Caption(), "700");
  app::frmDoor().Hide();
  hl::PressKey(platform::Key::Escape);  // Escape is Back
  EXPECT_TRUE(app::frmDoor().Visible());
}

}  // namespace
}  // namespace app_test

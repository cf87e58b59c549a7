// SPDX-License-Identifier: MIT
// Promotion, tiers, the progress bar, the window's loading and the win hand-over.
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "game/fixed_point.h"
#include "platform/headless/headless.h"
#include "storage/player_file.h"
#include "storage/score_file.h"
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

TEST(FixedPointTest, RatioIsReadAsItsFifteenDigitTextAndRoundedHalfToEven) {
  EXPECT_EQ(FixedFromRatio(0.125), 1250);
  EXPECT_EQ(FixedFromRatio(1.0 / 3), 3333);
  EXPECT_EQ(FixedFromRatio(2.0 / 3), 6667);
  EXPECT_EQ(FixedFromRatio(0.12345), 1234);  // the text ends in an exact half: to even
  EXPECT_EQ(FixedFromRatio(0.12355), 1236);
  EXPECT_EQ(FixedFromRatio(0.123450000000001), 1235);
  EXPECT_EQ(FixedFromRatio(0.00005), 0);
  EXPECT_EQ(FixedFromRatio(0.00015), 2);
  EXPECT_EQ(FixedFromRatio(-0.12345), -1234);
  EXPECT_EQ(FixedFromRatio(1e-30), 0);
  EXPECT_EQ(FixedFromRatio(1234.5), 12345000);
  EXPECT_EQ(FixedFromRatio(1e30), std::nullopt);
  EXPECT_EQ(FixedFromRatio(std::numeric_limits<double>::infinity()), std::nullopt);
  EXPECT_EQ(DivideRoundHalfEven(1250, 100), 12);
  EXPECT_EQ(DivideRoundHalfEven(1350, 100), 14);
  EXPECT_EQ(DivideRoundHalfEven(1351, 100), 14);
  EXPECT_EQ(DivideRoundHalfEven(-1250, 100), -12);
}

class RankTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    OpenGame();
  }
  int VisibleInsignia() {
    int shown = -1;
    for (int k = 0; k < kRankCount; ++k) {
      if (game_->picMR(k).Visible()) {
        EXPECT_EQ(shown, -1) << "two insignia shown";
        shown = k;
      }
    }
    return shown;
  }
};

TEST_F(RankTest, NewGameShowsTheFirstInsigniaAnEmptyBarAndDealsTheBoard) {
  EXPECT_EQ(game_->lblScore.Caption(), "");
  EXPECT_EQ(game_->lblHits.Caption(), "");
  EXPECT_EQ(game_->lblPercent.Caption(), "0%");
  EXPECT_EQ(game_->sProcess.Width(), 1);
  EXPECT_EQ(VisibleInsignia(), 0);
  EXPECT_EQ(game_->picMR(0).Left(), 832);
  EXPECT_EQ(game_->picMR(0).Top(), 222);
  EXPECT_EQ(CountKind(kBonusKind), 0);  // tier 0 deals no crystal
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < kRows; ++r) EXPECT_EQ(CellPixel(c, r), kBallColour[Board[c][r]]);
  }
  EXPECT_EQ(game_->ClientWidth(), 1024);
  EXPECT_EQ(game_->ClientHeight(), 768);
  EXPECT_TRUE(game_->Enabled());
  EXPECT_FALSE(game_->TAnim.Enabled());
  EXPECT_FALSE(game_->TOther.Enabled());
}

TEST_F(RankTest, PromotionNeedsPointsStrictlyAboveTheNextThreshold) {
  Score = 110;  // 11000 points: equal is not enough
  game_->AdvanceRank();
  EXPECT_EQ(RankIndex, 0);
  EXPECT_EQ(RankTier, 0);
  Score = 111;
  game_->AdvanceRank();
  EXPECT_EQ(RankIndex, 1);
  EXPECT_EQ(RankTier, 1);
  EXPECT_EQ(VisibleInsignia(), 1);
  EXPECT_EQ(game_->picMR(1).Left(), 832);
}

TEST_F(RankTest, OnePromotionPerCallHoweverFarThePointsAre) {
  Score = 900;  // 90000 points: past rank 5, short of rank 6
  for (int expected = 1; expected <= 5; ++expected) {
    game_->AdvanceRank();
    EXPECT_EQ(RankIndex, expected);
  }
  game_->AdvanceRank();
  EXPECT_EQ(RankIndex, 5);
  EXPECT_EQ(VisibleInsignia(), 5);
}

TEST_F(RankTest, TierFollowsTheRank) {
  const int tiers[kRankCount] = {0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6, 6, 6,
                                 7, 7, 7, 7, 8, 8, 8, 8, 9, 9, 9, 9};
  for (int rank = 1; rank < kRankCount; ++rank) {
    RankIndex = static_cast<std::int16_t>(rank - 1);
    Score = RankThresholds[rank] / 100 + 1;
    game_->AdvanceRank();
    EXPECT_EQ(RankIndex, rank);
    EXPECT_EQ(RankTier, tiers[rank]) << "rank " << rank;
  }
}

TEST_F(RankTest, PercentRoundsHalvesToEvenAndTheBarIsInTwips) {
  RankIndex = 14;  // 1000000 to 1400000 points
  Score = 10500;   // 0.125
  game_->ShowRankProgress();
  EXPECT_EQ(game_->RankFraction, 1250);
  EXPECT_EQ(game_->lblPercent.Caption(), "12%");
  EXPECT_EQ(game_->sProcess.Width(), 310);
  Score = 10540;  // 0.135
  game_->ShowRankProgress();
  EXPECT_EQ(game_->lblPercent.Caption(), "14%");
  EXPECT_EQ(game_->sProcess.Width(), 335);  // 334.8 twips
  Score = 14000;                            // exactly at the next threshold: a full bar
  game_->ShowRankProgress();
  EXPECT_EQ(game_->lblPercent.Caption(), "100%");
  EXPECT_EQ(game_->sProcess.Width(), 2480);
}

TEST_F(RankTest, PromotionToTheLastRankKeepsTheBarItHad) {
  RankIndex = 23;
  Score = 99600;  // 0.9799 of rank 23
  game_->ShowRankProgress();
  EXPECT_EQ(game_->lblPercent.Caption(), "98%");
  Score = 100001;
  game_->AdvanceRank();
  EXPECT_EQ(RankIndex, 24);
  EXPECT_TRUE(game_->picMR(24).Visible());
  EXPECT_EQ(game_->picMR(24).Left(), 832);
  EXPECT_EQ(game_->lblPercent.Caption(), "98%");
  EXPECT_EQ(winShown_, 0);
}

class LoadTest : public GameTest {
 protected:
  // What the game before left behind, possibly another player's.
  static void LeaveAnEarlierGame() {
    Hits = 77;
    RankIndex = 7;
    RankTier = 4;
  }
  void ExpectAFreshStart() {
    EXPECT_EQ(Score, 0);
    EXPECT_EQ(Hits, 0);
    EXPECT_EQ(RankIndex, 0);
    EXPECT_EQ(RankTier, 0);
    EXPECT_TRUE(game_->picMR(0).Visible());
  }
};

// A second game in the run deals over the first one's board: the three crystals it left
// in the last cells count until the deal reaches them, so tier 3 allows none before.
TEST_F(LoadTest, SavedGameShowsItsRankScoreAndHits) {
  WriteSave(900, 7, 5, 3);
  Board[7][5] = Board[7][6] = Board[7][7] = kBonusKind;
  OpenGame();
  EXPECT_EQ(Score, 900);
  EXPECT_EQ(Hits, 7);
  EXPECT_EQ(RankIndex, 5);
  EXPECT_EQ(RankTier, 3);
  EXPECT_EQ(game_->lblScore.Caption(), "90, 000");
  EXPECT_EQ(game_->lblHits.Caption(), "7");
  EXPECT_FALSE(game_->picMR(0).Visible());
  EXPECT_TRUE(game_->picMR(5).Visible());
  EXPECT_EQ(game_->picMR(5).Left(), 832);
  EXPECT_EQ(game_->lblPercent.Caption(), "16%");  // (90000 - 83000) / 45000 = 0.1556
  EXPECT_LE(CountKind(kBonusKind), 3);
  for (int cell = 0; cell < 62; ++cell) EXPECT_NE(Board[cell / kRows][cell % kRows], kBonusKind);
}

#ifndef _WIN32  // Windows has neither named pipes in folders nor links that Wine can make
// A named pipe in the save's place is a file that cannot be read; Continue must not wait
// for a writer that never comes.
TEST_F(LoadTest, APipeInTheSavesPlaceStartsFromNothing) {
  ASSERT_EQ(::mkfifo(storage::PlayerFilePath(folder_, PlayerName).c_str(), 0644), 0);
  LeaveAnEarlierGame();
  ::alarm(10);  // ends the test instead of hanging it
  OpenGame();
  ::alarm(0);
  ExpectAFreshStart();
}

// A save that cannot even be looked at starts a new game instead of ending the program.
TEST_F(LoadTest, ADataFolderThatCannotBeSearchedStartsANewGame) {
  std::filesystem::remove_all(folder_ / "data");
  std::filesystem::create_directory_symlink("data", folder_ / "data");  // a loop
  LeaveAnEarlierGame();
  OpenGame();
  ExpectAFreshStart();
}
#endif

// Paths too long for the system: the game starts, and leaving says what was not saved.
TEST_F(LoadTest, AProgramFolderTooDeepForItsFilesPlaysAndReportsTheSave) {
  std::filesystem::path deep = folder_;
  for (int i = 0; i < 20; ++i) deep /= std::string(250, 'd');
  platform::SetProgramFolder(deep);
  OpenGame();
  ExpectAFreshStart();
  platform::headless::Click(*game_, 846 + 50, 652 + 40);
  const auto& boxes = platform::headless::MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
#ifdef _WIN32  // Windows finds first that the deep folders do not exist
  const std::string reason = "No such file or directory";
#else
  const std::string reason = "File name too long";
#endif
  EXPECT_NE(boxes[0].text.find(reason), std::string::npos) << boxes[0].text;
  EXPECT_EQ(menuShown_, 1);
}

TEST_F(LoadTest, LastRankLoadsWithAnEmptyBar) {
  WriteSave(100500, 0, 24, 9);
  OpenGame();
  EXPECT_TRUE(game_->picMR(24).Visible());
  EXPECT_FALSE(game_->picMR(0).Visible());
  EXPECT_EQ(game_->lblPercent.Caption(), "0%");
  EXPECT_EQ(game_->sProcess.Width(), 0);
}

// A hand-edited save may put the score below its rank's threshold or far past the next.
TEST_F(LoadTest, ProgressStaysWithinItsBoxForAScoreOutsideTheRank) {
  WriteSave(12, 3, 1, 1);  // 1200 points at a rank that starts at 11000
  OpenGame();
  EXPECT_EQ(game_->lblPercent.Caption(), "0%");
  EXPECT_EQ(game_->sProcess.Width(), 0);
  game_->Close();
  WriteSave(2000000000, 3, 1, 1);
  OpenGame();
  EXPECT_EQ(game_->lblPercent.Caption(), "100%");
  EXPECT_EQ(game_->sProcess.Width(), 2480);
}

TEST_F(LoadTest, RankOutsideTheTablesIsKeptInsideThem) {
  {
    std::ofstream file(storage::PlayerFilePath(folder_, PlayerName), std::ios::binary);
    file << "\"500\"\r\n\"0\"\r\n\"99\"\r\n\"-4\"\r\n";
  }
  OpenGame();
  EXPECT_EQ(RankIndex, kRankCount - 1);  // clamped, not reset
  EXPECT_EQ(RankTier, 0);
  EXPECT_TRUE(game_->picMR(RankIndex).Visible());
}

// Passing the last rank: the line is still scored, the result enters the high-score table
// and its file, the win screen is shown and the game window closes; the save file stays.
TEST_F(LoadTest, WinningHandsOverAfterEnteringTheTable) {
  WriteSave(100500, 3, 24, 9);
  const auto savePath = storage::PlayerFilePath(folder_, PlayerName);
  const auto saveTime = std::filesystem::last_write_time(savePath);
  HighScoreValues = {9000000, 5000000, 0, 0, 0, 0, 0, 0};
  HighScoreNames = {"Ann", "Bob", "", "", "", "", "", ""};
  OpenGame();
  SetLineFreeBoard();
  for (int r = 0; r < 3; ++r) Board[4][r] = 1;
  // The check after a drop, run from a TAnim tick as in play.
  game_->CenterCol = game_->CenterRow = 4;
  AnimState = kSlideClockwise;
  game_->AnimTick = 71;
  game_->TAnim.SetEnabled(true);
  game_->SetEnabled(false);
  platform::headless::RequestClose(*game_);  // held for the end of the move, which wins
  RunAnimTicks(1);
  EXPECT_EQ(Score, 100503);
  EXPECT_EQ(winShown_, 1);
  EXPECT_EQ(menuShown_, 0);
  EXPECT_FALSE(GameWindowOpen());
  EXPECT_EQ(HighScoreValues[0], 10050300);
  EXPECT_EQ(HighScoreNames[0], "Tester");
  EXPECT_EQ(HighScoreNames[1], "Ann");
  storage::ScoreTable table;
  ASSERT_TRUE(storage::LoadScoreFile(storage::ScoreFilePath(folder_), table));
  EXPECT_EQ(table.values[0], 10050300);
  EXPECT_EQ(table.names[2], "Bob");
  EXPECT_EQ(std::filesystem::last_write_time(savePath), saveTime);
  storage::PlayerRecord record;
  ASSERT_TRUE(storage::LoadPlayerFile(savePath, record));
  EXPECT_EQ(record.score, 100500);
}

}  // namespace
}  // namespace game::testing

// SPDX-License-Identifier: MIT
// The score popups' ticks, and leaving the game through Exit.
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <fstream>

#include "game/high_score.h"
#include "platform/files/files.h"
#include "platform/headless/headless.h"
#include "platform/loop/system.h"
#include "storage/player_file.h"
#include "storage/score_file.h"
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

class PopupTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    OpenGame();
  }
  void StartPopup(std::int16_t kind) {
    PopupKind = kind;
    game_->TOther.SetEnabled(true);
  }
  void Tick() { platform::headless::RunTicks(game_->TOther, 1); }
  gfx::Pixel Centre() { return Pixel(820, 480); }
  gfx::Pixel Corner() { return Pixel(731, 451); }  // reached only at full size
};

TEST_F(PopupTest, SixDrawingTicksThenAWaitAndTheWipeOnTheFiftieth) {
  StartPopup(1);
  const float factors[] = {0.1f, 0.3f, 0.5f, 0.7f, 0.9f};
  for (float factor : factors) {
    EXPECT_NEAR(PopupScale, factor, 1e-6);
    Tick();
    EXPECT_EQ(Centre(), kPopupColour[1]);
    EXPECT_EQ(Corner(), kBackColour);
  }
  Tick();  // the sixth: full size
  EXPECT_EQ(Corner(), kPopupColour[1]);
  EXPECT_EQ(PopupKind, 5);
  EXPECT_FLOAT_EQ(PopupScale, 0.1f);
  // The waiting ticks draw nothing at all: a mark over the whole area stays as it is.
  constexpr gfx::Pixel kMark = 0x123456;
  game_->Image().fillRect(730, 450, 180, 60, kMark);
  for (int tick = 7; tick < 50; ++tick) Tick();
  EXPECT_EQ(PopupTick, 49);
  EXPECT_TRUE(game_->TOther.Enabled());
  int drawn = 0;
  for (int y = 450; y < 510; ++y) {
    for (int x = 730; x < 910; ++x) drawn += game_->Image().at(x, y) != kMark;
  }
  EXPECT_EQ(drawn, 0);
  Tick();
  EXPECT_EQ(PopupTick, 0);
  EXPECT_FALSE(game_->TOther.Enabled());
  EXPECT_EQ(Centre(), kBackColour);
  EXPECT_EQ(Corner(), kBackColour);
}

TEST_F(PopupTest, EveryPopupKindShowsItsPicture) {
  for (std::int16_t kind = 0; kind < 5; ++kind) {
    StartPopup(kind);
    Tick();
    EXPECT_EQ(Centre(), kPopupColour[kind]) << kind;
  }
}

TEST_F(PopupTest, ASecondPopupGrowsAfreshAndTheWipeKeepsTheRunningCount) {
  StartPopup(1);
  for (int tick = 0; tick < 20; ++tick) Tick();
  ASSERT_EQ(PopupKind, 5);
  StartPopup(3);
  Tick();
  EXPECT_EQ(Centre(), kPopupColour[3]);
  EXPECT_EQ(Corner(), kBackColour);  // grown from 0.1 again
  for (int tick = 22; tick < 50; ++tick) Tick();
  EXPECT_TRUE(game_->TOther.Enabled());
  Tick();  // 50 ticks after the start of the first popup
  EXPECT_FALSE(game_->TOther.Enabled());
  EXPECT_EQ(Centre(), kBackColour);
}

TEST_F(PopupTest, AScoredLineStartsItsPopupAlongsideTheAnimation) {
  SetLineFreeBoard();
  Board[0][0] = Board[0][1] = Board[0][2] = 3;
  game_->CheckLines(1);
  EXPECT_TRUE(game_->TOther.Enabled());
  Tick();
  EXPECT_EQ(Centre(), kPopupColour[1]);
}

class LeaveTest : public GameTest {
 protected:
  void Leave(std::int32_t score) {
    OpenGame();
    Score = score;
    platform::headless::Click(*game_, 846 + 50, 652 + 40);
  }
  void SetTable(std::array<std::int32_t, 8> values) {
    HighScoreValues = values;
    for (int i = 0; i < 8; ++i) HighScoreNames[i] = "P" + std::to_string(values[i]);
  }
  static std::string Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // The table file must hold exactly the table in memory: "name" CR LF, points CR LF.
  void ExpectTableFileHoldsTheTable() {
    std::string text;
    for (int i = 0; i < 8; ++i) {
      text += "\"" + HighScoreNames[i] + "\"\r\n" + std::to_string(HighScoreValues[i]) + "\r\n";
    }
    EXPECT_EQ(Bytes(storage::ScoreFilePath(folder_)), text);
  }
};

TEST_F(LeaveTest, SavesTheGameWritesTheTableShowsTheMenuAndCloses) {
  OpenGame();
  Score = 12;
  Hits = 4;
  RankIndex = 2;
  RankTier = 1;
  platform::headless::Click(*game_, 846 + 50, 652 + 40);
  EXPECT_EQ(menuShown_, 1);
  EXPECT_FALSE(GameWindowOpen());
  EXPECT_EQ(Bytes(storage::PlayerFilePath(folder_, "Tester")),
            "\"12\"\r\n\"4\"\r\n\"2\"\r\n\"1\"\r\n");
  EXPECT_EQ(HighScoreValues[0], 1200);
  EXPECT_EQ(HighScoreNames[0], "Tester");
  for (int i = 1; i < 8; ++i) EXPECT_EQ(HighScoreValues[i], 0);
  ExpectTableFileHoldsTheTable();
}

TEST_F(LeaveTest, TheWindowsCloseActsAsExit) {
  OpenGame();
  Score = 12;
  platform::headless::RequestClose(*game_);
  EXPECT_EQ(menuShown_, 1);
  EXPECT_EQ(HighScoreValues[0], 1200);
  storage::PlayerRecord record;
  ASSERT_TRUE(storage::LoadPlayerFile(storage::PlayerFilePath(folder_, "Tester"), record));
  EXPECT_EQ(record.score, 12);
}

// The window is disabled during a move, as Exit is then; the close waits for the move's end.
TEST_F(LeaveTest, ACloseDuringAMoveLeavesWhenTheMoveEnds) {
  OpenGame();
  SetLineFreeBoard();
  ShowBoard();
  Score = 5;
  platform::headless::Press(*game_, 2, 262, 412);  // a turn without a line: there and back
  ASSERT_FALSE(game_->Enabled());
  platform::headless::RequestClose(*game_);
  EXPECT_EQ(menuShown_, 0);
  EXPECT_TRUE(game_->Visible());
  platform::headless::RunTicks(game_->TAnim, 100);  // the game window is gone after it
  EXPECT_EQ(menuShown_, 1);
  EXPECT_EQ(HighScoreValues[0], 500);
}

// The session ends during a move: the score so far is saved and entered at once, as the
// window's close would, the program ends, and nothing waits for an answer on the screen.
TEST_F(LeaveTest, TheSessionsEndSavesAtOnceEvenDuringAMove) {
  OpenGame();
  SetLineFreeBoard();
  ShowBoard();
  Score = 5;
  platform::headless::Press(*game_, 2, 262, 412);
  ASSERT_FALSE(game_->Enabled());
  platform::headless::RequestClose(*game_);                           // held for the move's end
  std::filesystem::create_directory(folder_ / "data" / "score.dat");  // this one fails
  platform::EndSession();
  EXPECT_TRUE(platform::EndRequested());
  storage::PlayerRecord record;
  ASSERT_TRUE(storage::LoadPlayerFile(storage::PlayerFilePath(folder_, "Tester"), record));
  EXPECT_EQ(record.score, 5);
  EXPECT_EQ(HighScoreValues[0], 500);
  EXPECT_TRUE(platform::headless::MessageBoxes().empty());
  platform::headless::RunTicks(game_->TAnim, 100);  // the held close is not answered twice
  EXPECT_EQ(menuShown_, 0);
}

// Nothing is lost silently: the player learns what was not saved and why, and the game
// goes on to the menu as ever.
TEST_F(LeaveTest, FailedSavesAreReportedAndTheMenuStillShows) {
  std::filesystem::create_directory(folder_ / "data" / "Tester.dat");
  std::filesystem::create_directory(folder_ / "data" / "score.dat");
  Leave(3);
  const auto& boxes = platform::headless::MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "Your progress could not be saved.\n\n" +
                               (folder_ / "data" / "Tester.dat").string() + ": Is a directory.");
  EXPECT_EQ(boxes[0].title, "Zentorra");
  EXPECT_EQ(boxes[0].icon, platform::MsgBoxIcon::Exclamation);
  EXPECT_EQ(boxes[1].text.rfind("The high-score table could not be saved.", 0), 0u);
  EXPECT_EQ(menuShown_, 1);
  EXPECT_EQ(HighScoreValues[0], 300);
}

// Another copy of the game wrote the table after this one had read it: its entries stay,
// and the table shown follows the file.
TEST_F(LeaveTest, EntriesThatAnotherCopyWroteMeanwhileAreKept) {
  storage::ScoreTable other;
  other.names = {"Ann", "Bob", "", "", "", "", "", ""};
  other.values = {900, 100, 0, 0, 0, 0, 0, 0};
  std::error_code error;
  ASSERT_TRUE(storage::SaveScoreFile(storage::ScoreFilePath(folder_), other, error));
  Leave(5);
  EXPECT_EQ(HighScoreNames[0], "Ann");
  EXPECT_EQ(HighScoreNames[1], "Tester");
  EXPECT_EQ(HighScoreValues[1], 500);
  EXPECT_EQ(HighScoreNames[2], "Bob");
  ExpectTableFileHoldsTheTable();
}

#ifndef _WIN32
// Two copies leave at the same instant, again and again: each time both results are in
// the table, since neither copy can replace the file between the other's reading and
// writing it.
TEST_F(LeaveTest, TwoCopiesLeavingAtOnceBothKeepTheirEntries) {
  constexpr int kRounds = 50;
  for (int round = 1; round <= kRounds; ++round) {
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    pid_t copies[2];
    for (int copy = 0; copy < 2; ++copy) {
      copies[copy] = ::fork();
      ASSERT_GE(copies[copy], 0);
      if (copies[copy] == 0) {
        ::close(start[1]);
        char go;
        [[maybe_unused]] const ssize_t got = ::read(start[0], &go, 1);  // the pipe's end
        PlayerName = copy == 0 ? "Ann" : "Bob";
        Score = round * 10 + copy;
        RecordResult();
        std::_Exit(0);
      }
    }
    ::close(start[0]);
    ::close(start[1]);  // both copies go at once
    for (pid_t copy : copies) ::waitpid(copy, nullptr, 0);
    storage::ScoreTable table;
    ASSERT_TRUE(storage::LoadScoreFile(storage::ScoreFilePath(folder_), table));
    EXPECT_EQ(table.names[0], "Bob") << "round " << round;
    EXPECT_EQ(table.values[0], (round * 10 + 1) * 100) << "round " << round;
    EXPECT_EQ(table.names[1], "Ann") << "round " << round;
    EXPECT_EQ(table.values[1], round * 10 * 100) << "round " << round;
  }
}
#endif

// A copy that holds the table and never lets go (hung, stopped) keeps this one waiting
// only so long: the result is then written as it would be without the lock.
TEST_F(LeaveTest, ACopyThatNeverLetsGoOfTheTableDoesNotStopTheWrite) {
  const platform::files::FileLock hung(folder_ / "data" / "score.lock",
                                       std::chrono::milliseconds(0));
  ASSERT_TRUE(hung.Held());
  Leave(7);
  EXPECT_EQ(menuShown_, 1);
  EXPECT_EQ(HighScoreValues[0], 700);
  ExpectTableFileHoldsTheTable();
}

TEST_F(LeaveTest, ZeroDoesNotEnterAnEmptyTable) {
  Leave(0);
  EXPECT_EQ(HighScoreNames[0], "");
  EXPECT_EQ(HighScoreValues[0], 0);
  ExpectTableFileHoldsTheTable();
  EXPECT_EQ(menuShown_, 1);
}

// The table rule on its own, with the example table.
class HighScoreTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    HighScoreValues = {900, 800, 700, 600, 500, 400, 300, 200};
    for (int i = 0; i < 8; ++i) HighScoreNames[i] = "P" + std::to_string(HighScoreValues[i]);
  }
};

TEST_F(HighScoreTest, ResultTakesTheFirstPlaceItBeatsAndTheLastDropsOut) {
  EnterHighScore(650, "New");
  const std::array<std::int32_t, 8> expected = {900, 800, 700, 650, 600, 500, 400, 300};
  EXPECT_EQ(HighScoreValues, expected);
  EXPECT_EQ(HighScoreNames[3], "New");
  EXPECT_EQ(HighScoreNames[4], "P600");
  EXPECT_EQ(HighScoreNames[7], "P300");
}

TEST_F(HighScoreTest, TiesGoBelowTheEqualEntry) {
  EnterHighScore(600, "New");
  EXPECT_EQ(HighScoreNames[3], "P600");
  EXPECT_EQ(HighScoreNames[4], "New");
  EXPECT_EQ(HighScoreValues[4], 600);
}

// The last place counts too: a result that beats only the eighth entry replaces it.
TEST_F(HighScoreTest, BeatingOnlyTheLastEntryTakesPlaceSeven) {
  EnterHighScore(250, "New");
  EXPECT_EQ(HighScoreValues[6], 300);
  EXPECT_EQ(HighScoreValues[7], 250);
  EXPECT_EQ(HighScoreNames[7], "New");
}

TEST_F(HighScoreTest, NotBeatingTheLastEntryChangesNothing) {
  EnterHighScore(200, "New");
  EnterHighScore(100, "New");
  EXPECT_EQ(HighScoreValues[7], 200);
  EXPECT_EQ(HighScoreNames[7], "P200");
}

TEST_F(LeaveTest, LeavingEntersTheResultAndWritesTheTable) {
  SetTable({9000, 8000, 7000, 6000, 5000, 4000, 3000, 2000});
  Leave(25);  // 2500 points beat only the last entry
  EXPECT_EQ(HighScoreValues[7], 2500);
  EXPECT_EQ(HighScoreNames[7], "Tester");
  EXPECT_EQ(HighScoreValues[6], 3000);
  ExpectTableFileHoldsTheTable();
}

TEST_F(LeaveTest, OnePlayerMayHoldSeveralPlaces) {
  SetTable({900, 800, 700, 600, 500, 400, 300, 200});
  Leave(10);
  Leave(11);
  EXPECT_EQ(HighScoreValues[0], 1100);
  EXPECT_EQ(HighScoreValues[1], 1000);
  EXPECT_EQ(HighScoreNames[0], "Tester");
  EXPECT_EQ(HighScoreNames[1], "Tester");
  EXPECT_EQ(menuShown_, 2);
}

}  // namespace
}  // namespace game::testing

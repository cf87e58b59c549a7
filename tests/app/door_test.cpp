// SPDX-License-Identifier: MIT
#include <string>

#include "app/frm_door.h"
#include "app/frm_how_to_play.h"
#include "app/frm_score.h"
#include "app_test_support.h"
#include "audio/frm_music.h"
#include "game/frm_main.h"
#include "game/game_state.h"
#include "game/screen_links.h"
#include "platform/headless/headless.h"

namespace app_test {
namespace {

namespace hl = platform::headless;
constexpr gfx::Pixel kRed = gfx::Rgb(255, 0, 0);

class DoorTest : public AppTest {
 protected:
  // As the splash leaves it: the music screen loaded, then the menu.
  app::FrmDoor& OpenMenu() {
    audio::frmMusic().Show();
    auto& door = app::frmDoor();
    door.Show();
    return door;
  }
  void EnterName(app::FrmDoor& door, const std::string& name) {
    ClickOn(door.imgPlay);
    door.txtName.SetText(name);
    ClickOn(door.lblOK);
  }
  void WriteSave(const std::string& name) {
    WriteFile("data/" + name + ".dat", "\"7\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n");
  }
  bool SaveExists(const std::string& name) const {
    return std::filesystem::exists(folder_ / "data" / (name + ".dat"));
  }
};

TEST_F(DoorTest, LoadingStartsTheMusicAndShowsNoPanel) {
  game::RankTier = 4;
  auto& door = OpenMenu();
  EXPECT_EQ(door.Caption(), "Zentorra");
  EXPECT_EQ(door.ClientWidth(), 1024);
  EXPECT_EQ(door.ClientHeight(), 768);
  EXPECT_EQ(game::MusicSlot, 1);
  EXPECT_EQ(game::RankTier, 0);
  EXPECT_TRUE(audio::frmMusic().Timer1.Enabled());
  EXPECT_FALSE(door.picName.Visible());
  EXPECT_FALSE(door.picAsk.Visible());
  EXPECT_FALSE(door.picNew.Visible());
  EXPECT_EQ(door.lblNotice.Caption(), "Player Name:");
  EXPECT_EQ(door.lblNotice.ForeColor(), gfx::kBlack);
  EXPECT_EQ(door.txtName.Text(), "");
}

TEST_F(DoorTest, PlayShowsTheNameEntryWithTheFocusInTheBox) {
  auto& door = OpenMenu();
  ClickOn(door.imgPlay);
  EXPECT_TRUE(door.picName.Visible());
  EXPECT_TRUE(door.txtName.HasFocus());
  ClickOn(door.lblCancel);
  EXPECT_FALSE(door.picName.Visible());
}

TEST_F(DoorTest, OkWithAnEmptyBoxDoesNothing) {
  auto& door = OpenMenu();
  game::PlayerName = "Keep";
  EnterName(door, "");
  EXPECT_TRUE(door.picName.Visible());
  EXPECT_EQ(door.lblNotice.Caption(), "Player Name:");
  EXPECT_EQ(game::PlayerName, "Keep");
  EXPECT_TRUE(door.Visible());
}

class AcceptedName : public DoorTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(AcceptedName, NewPlayerGoesStraightToTheGame) {
  auto& door = OpenMenu();
  EnterName(door, GetParam());
  EXPECT_EQ(game::PlayerName, GetParam());
  EXPECT_FALSE(door.picName.Visible());
  EXPECT_FALSE(door.picNew.Visible());
  EXPECT_FALSE(door.Visible());
  EXPECT_TRUE(game::frmMain().Visible());
}

INSTANTIATE_TEST_SUITE_P(Names, AcceptedName,
                         ::testing::Values("Bob1", "A", "z", "0", "9", "AZaz09", "Connor", "COM10",
                                           std::string(251, 'n')));

class RejectedName : public DoorTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(RejectedName, ClearsTheBoxAndTurnsTheNoticeRed) {
  auto& door = OpenMenu();
  game::PlayerName = "Keep";
  EnterName(door, GetParam());
  EXPECT_EQ(door.txtName.Text(), "");
  EXPECT_EQ(door.lblNotice.Caption(), "Number && Letter ONLY:");
  EXPECT_EQ(door.lblNotice.DisplayText(), "Number & Letter ONLY:");
  EXPECT_EQ(door.lblNotice.ForeColor(), kRed);
  EXPECT_TRUE(door.txtName.HasFocus());
  EXPECT_TRUE(door.picName.Visible());
  EXPECT_EQ(game::PlayerName, "Keep");
  EXPECT_TRUE(door.Visible());
}

// Space, underscore, punctuation, the characters just outside each accepted range,
// accented and non-Latin letters, and the name of the high-score table's file.
INSTANTIATE_TEST_SUITE_P(Names, RejectedName,
                         ::testing::Values("Bob 1", " Bob", "Bob_1", "Bob!", "Bo.b", "a-b", "/",
                                           ":", "@", "[", "`", "{", "Jos\xC3\xA9",
                                           "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD",
                                           "\xE5\xA4\xAA\xE9\x83\x8E", "score", "SCORE", "sCoRe"));

#ifdef _WIN32
// The names Windows keeps for its devices: a save by such a name could never be written.
INSTANTIATE_TEST_SUITE_P(DeviceNames, RejectedName,
                         ::testing::Values("CON", "nul", "Aux", "pRn", "COM1", "lpt9", "com0"));
#endif

TEST_F(DoorTest, ANameTooLongToNameAFileSaysSo) {
  auto& door = OpenMenu();
  EnterName(door, std::string(252, 'n'));
  EXPECT_EQ(door.txtName.Text(), "");
  EXPECT_EQ(door.lblNotice.Caption(), "Name too long (251 max):");
  EXPECT_EQ(door.lblNotice.ForeColor(), kRed);
  EXPECT_TRUE(door.picName.Visible());
  EXPECT_TRUE(door.Visible());
}

TEST_F(DoorTest, TheWholeNoticeShowsCentredInTheNamePanel) {
  auto& door = OpenMenu();
  for (const std::string& name : {std::string(), std::string("a b"), std::string(252, 'n')}) {
    EnterName(door, name);
    const auto& notice = door.lblNotice;
    EXPECT_GE(notice.Width(), 77);
    EXPECT_NEAR(notice.Left() + notice.Width() / 2.0, 45 + 77 / 2.0, 1.0);
    EXPECT_GE(notice.Left(), 0);
    EXPECT_LE(notice.Left() + notice.Width(), door.picName.Width());
    EXPECT_EQ(notice.Top(), 56);
  }
}

TEST_F(DoorTest, EnterInTheNameBoxActsAsOkAndEscapeAsCancel) {
  auto& door = OpenMenu();
  ClickOn(door.imgPlay);
  hl::Type("Bob 1");
  hl::PressKey(platform::Key::Enter);
  EXPECT_EQ(door.lblNotice.ForeColor(), kRed);
  EXPECT_EQ(door.txtName.Text(), "");
  hl::PressKey(platform::Key::Escape);
  EXPECT_FALSE(door.picName.Visible());
  ClickOn(door.imgPlay);
  hl::Type("Bob1");
  hl::PressKey(platform::Key::Enter);
  EXPECT_EQ(game::PlayerName, "Bob1");
  EXPECT_TRUE(game::frmMain().Visible());
  EXPECT_FALSE(door.Visible());
}

// The ring goes over the large buttons first, then the open panel's own controls.
TEST_F(DoorTest, KeysAloneGoThroughTheMenuAndEscapeLeavesEachPanel) {
  using platform::Key;
  auto& door = OpenMenu();
  const std::vector<platform::Control*> bare = {&door.imgPlay, &door.ImgScore, &door.imgExit,
                                                &door.imgHTP, &door.imgPlay};
  for (platform::Control* expected : bare) {
    hl::PressKey(Key::Tab);
    EXPECT_EQ(door.FocusedControl(), expected);
  }
  hl::PressKey(Key::Escape);  // the bare menu: nothing, Quit stays deliberate
  EXPECT_TRUE(door.Visible());
  EXPECT_FALSE(hl::Ended());
  hl::PressKey(Key::Enter);  // Play
  EXPECT_TRUE(door.txtName.HasFocus());
  hl::PressKey(Key::Tab);
  EXPECT_EQ(door.FocusedControl(), &door.lblOK);
  hl::PressKey(Key::Tab);
  EXPECT_EQ(door.FocusedControl(), &door.lblCancel);
  hl::PressKey(Key::Escape);
  EXPECT_FALSE(door.picName.Visible());
  WriteSave("Ann");
  EnterName(door, "Ann");
  ClickOn(door.imgNewGame);
  hl::PressKey(Key::Escape);  // the confirmation's No
  EXPECT_FALSE(door.picAsk.Visible());
  EXPECT_TRUE(door.picNew.Visible());
  hl::PressKey(Key::Escape);  // the choice goes as with a click beside it
  EXPECT_FALSE(door.picNew.Visible());
  EXPECT_TRUE(SaveExists("Ann"));
}

TEST_F(DoorTest, TheWarningStaysUntilTheMenuLoadsAgain) {
  auto& door = OpenMenu();
  EnterName(door, "no way");
  ClickOn(door.lblCancel);
  WriteSave("Ann");
  EnterName(door, "Ann");
  EXPECT_EQ(game::PlayerName, "Ann");
  EXPECT_EQ(door.lblNotice.Caption(), "Number && Letter ONLY:");
  EXPECT_EQ(door.lblNotice.ForeColor(), kRed);
}

TEST_F(DoorTest, KnownNameOffersTheChoiceAndContinueOpensTheGame) {
  WriteSave("Ann");
  auto& door = OpenMenu();
  EnterName(door, "Ann");
  EXPECT_FALSE(door.picName.Visible());
  EXPECT_TRUE(door.picNew.Visible());
  EXPECT_TRUE(door.Visible());
  ClickOn(door.imgContinue);
  EXPECT_FALSE(door.picNew.Visible());
  EXPECT_FALSE(door.Visible());
  EXPECT_TRUE(game::frmMain().Visible());
  EXPECT_TRUE(SaveExists("Ann"));
}

// As file names on the desktop the game was made for: "bob1" continues Bob1's game, and
// leaving saves into the file that was found.
TEST_F(DoorTest, ANameFindsItsSaveWhateverTheLetterCase) {
  WriteSave("Bob1");
  auto& door = OpenMenu();
  EnterName(door, "bob1");
  ASSERT_TRUE(door.picNew.Visible());
  ClickOn(door.imgContinue);
  EXPECT_EQ(game::Score, 7);
  ClickOn(game::frmMain().imgExit);
  EXPECT_EQ(WrittenFiles(),
            (std::set<std::string>{"data", "data/Bob1.dat", "data/score.dat", "data/score.lock"}));
  EXPECT_EQ(game::HighScoreNames[0], "bob1");
}

TEST_F(DoorTest, NewGameAsksAndNoGoesBackToTheChoice) {
  WriteSave("Ann");
  auto& door = OpenMenu();
  EnterName(door, "Ann");
  ClickOn(door.imgNewGame);
  EXPECT_FALSE(door.picNew.Visible());
  EXPECT_TRUE(door.picAsk.Visible());
  ClickOn(door.lblNo);
  EXPECT_FALSE(door.picAsk.Visible());
  EXPECT_TRUE(door.picNew.Visible());
  EXPECT_TRUE(SaveExists("Ann"));
}

TEST_F(DoorTest, YesDeletesTheSaveAndStartsAFreshGame) {
  WriteSave("Ann");
  auto& door = OpenMenu();
  EnterName(door, "Ann");
  ClickOn(door.imgNewGame);
  ClickOn(door.lblYes);
  EXPECT_FALSE(SaveExists("Ann"));
  EXPECT_FALSE(door.Visible());
  EXPECT_TRUE(game::frmMain().Visible());
  EXPECT_EQ(game::Score, 0);
  // The menu the player comes back to offers nothing that deletes the new save.
  game::Links().showMenu = [] { app::frmDoor().Show(); };
  ClickOn(game::frmMain().imgExit);
  EXPECT_TRUE(door.Visible());
  EXPECT_FALSE(door.picAsk.Visible());
  EXPECT_FALSE(door.picNew.Visible());
  EXPECT_TRUE(SaveExists("Ann"));
}

TEST_F(DoorTest, YesWithoutASaveStartsAFreshGameToo) {
  WriteSave("Ann");
  auto& door = OpenMenu();
  EnterName(door, "Ann");
  ClickOn(door.imgNewGame);
  std::filesystem::remove(folder_ / "data" / "Ann.dat");
  ClickOn(door.lblYes);
  EXPECT_TRUE(game::frmMain().Visible());
}

TEST_F(DoorTest, YesActsOnTheNameEnteredLast) {
  WriteSave("Ann");
  WriteSave("Bob");
  auto& door = OpenMenu();
  EnterName(door, "Ann");
  ClickOn(door.imgNewGame);
  EnterName(door, "Bob");  // the confirmation is still open under the choice
  EXPECT_TRUE(door.picAsk.Visible());
  EXPECT_TRUE(door.picNew.Visible());
  door.YesClick();
  EXPECT_TRUE(SaveExists("Ann"));
  EXPECT_FALSE(SaveExists("Bob"));
}

TEST_F(DoorTest, BareWindowClickHidesOnlyTheChoice) {
  WriteSave("Ann");
  auto& door = OpenMenu();
  EnterName(door, "Ann");
  ClickOn(door.imgPlay);
  ASSERT_TRUE(door.picName.Visible());
  ASSERT_TRUE(door.picNew.Visible());
  hl::Click(door, 158, 450);  // on the name panel, not on any of its controls
  EXPECT_TRUE(door.picNew.Visible());
  hl::Click(door, 600, 100);
  EXPECT_FALSE(door.picNew.Visible());
  EXPECT_TRUE(door.picName.Visible());
}

TEST_F(DoorTest, HighScoresHideTheMenuAndBackShowsItAsItWasLeft) {
  WriteSave("Ann");
  auto& door = OpenMenu();
  EnterName(door, "Ann!");
  ClickOn(door.imgPlay);
  door.txtName.SetText("Half");
  game::RankTier = 3;  // the menu's loading would reset it
  game::MusicSlot = 7;
  ClickOn(door.ImgScore);
  EXPECT_FALSE(door.Visible());
  EXPECT_TRUE(app::frmScore().Visible());
  ClickOn(app::frmScore().imgBack);
  auto& again = app::frmDoor();
  EXPECT_EQ(&again, &door);
  EXPECT_TRUE(door.Visible());
  EXPECT_EQ(game::RankTier, 3);
  EXPECT_EQ(game::MusicSlot, 7);
  EXPECT_TRUE(door.picName.Visible());
  EXPECT_EQ(door.txtName.Text(), "Half");
  EXPECT_EQ(door.lblNotice.ForeColor(), kRed);
}

TEST_F(DoorTest, ScoreHidesTheChoicePanel) {
  WriteSave("Ann");
  auto& door = OpenMenu();
  EnterName(door, "Ann");
  ClickOn(door.ImgScore);
  ClickOn(app::frmScore().imgBack);
  EXPECT_FALSE(door.picNew.Visible());
}

TEST_F(DoorTest, HowToPlayRemovesTheMarkerAndComesBackToAFreshMenu) {
  WriteFile("fr.dat", "\"861104\"\r\n");
  auto& door = OpenMenu();
  EnterName(door, "bad name");
  ClickOn(door.imgHTP);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "fr.dat"));
  EXPECT_EQ(game::FirstRunDone, game::kTrue);
  auto& howTo = app::frmHowToPlay();
  EXPECT_TRUE(howTo.Visible());
  game::RankTier = 3;
  ClickOn(howTo.lblBack);
  auto& fresh = app::frmDoor();
  EXPECT_TRUE(fresh.Visible());
  EXPECT_EQ(game::RankTier, 0);
  EXPECT_EQ(fresh.lblNotice.Caption(), "Player Name:");
  EXPECT_EQ(fresh.lblNotice.ForeColor(), gfx::kBlack);
}

TEST_F(DoorTest, HowToPlayWithoutAMarkerStillOpens) {
  auto& door = OpenMenu();
  ClickOn(door.imgHTP);
  EXPECT_TRUE(app::frmHowToPlay().Visible());
  EXPECT_FALSE(std::filesystem::exists(folder_ / "fr.dat"));
}

TEST_F(DoorTest, QuitEndsTheProgramAndWritesNothing) {
  auto& door = OpenMenu();
  const auto before = WrittenFiles();
  ClickOn(door.imgExit);
  hl::AdvanceMs(100);
  EXPECT_TRUE(hl::Ended());
  EXPECT_EQ(WrittenFiles(), before);
}

}  // namespace
}  // namespace app_test

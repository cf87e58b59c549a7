// SPDX-License-Identifier: MIT
// Every label of every screen holds its caption, measured with the fonts the program
// draws with: no caption is wider than its label, or wraps into more lines than the
// label's height shows. Captions that change are measured at their widest.
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "app/frm_door.h"
#include "app/frm_how_to_play.h"
#include "app/frm_score.h"
#include "app/frm_win.h"
#include "app_test_support.h"
#include "audio/frm_music.h"
#include "game/frm_main.h"
#include "game/game_state.h"
#include "platform/headless/headless.h"

namespace app_test {
namespace {

namespace hl = platform::headless;
using LabelsTest = AppTest;

void AddCutCaptions(const platform::Control& control, std::vector<std::string>& cut) {
  if (const auto* label = dynamic_cast<const platform::Label*>(&control);
      label &&
      (label->TextWidth() > label->PixelWidth() || label->TextHeight() > label->PixelHeight())) {
    cut.push_back(control.Owner().Caption() + ": \"" + label->DisplayText() + "\" needs " +
                  std::to_string(label->TextWidth()) + " x " + std::to_string(label->TextHeight()) +
                  " in " + std::to_string(label->PixelWidth()) + " x " +
                  std::to_string(label->PixelHeight()));
  }
  for (const platform::Control* child : control.Children()) AddCutCaptions(*child, cut);
}

// The captions of the screen's shown labels that do not fit them.
std::vector<std::string> CutCaptions(const platform::Form& form) {
  std::vector<std::string> cut;
  for (const platform::Control* control : form.Controls()) AddCutCaptions(*control, cut);
  return cut;
}

const std::vector<std::string> kNone;

TEST_F(LabelsTest, EveryCaptionOfTheMenuTheScoresAndTheWinScreenFits) {
  audio::frmMusic().Show();
  auto& door = app::frmDoor();
  door.Show();
  EXPECT_EQ(CutCaptions(door), kNone);
  ClickOn(door.imgPlay);
  door.txtName.SetText("a-b");
  ClickOn(door.lblOK);
  ASSERT_EQ(door.lblNotice.Caption(), "Number && Letter ONLY:");
  EXPECT_EQ(CutCaptions(door), kNone);

  game::HighScoreValues.fill(std::numeric_limits<std::int32_t>::min());
  game::HighScoreNames.fill(std::string(30, 'W'));
  EXPECT_EQ(CutCaptions(app::frmScore()), kNone);

  auto& win = app::frmWin();
  win.Show();
  EXPECT_EQ(CutCaptions(win), kNone);
  EXPECT_NEAR(2 * win.lblOver.Left() + win.lblOver.Width(), 2 * 704 + 315, 1) << "off centre";
}

TEST_F(LabelsTest, BothDemonstrationTextsFit) {
  auto& howTo = app::frmHowToPlay();
  howTo.Show();
  EXPECT_EQ(CutCaptions(howTo), kNone);
  hl::RunTicks(howTo.Timer1, 250);  // past the first turn, into the second pause
  ASSERT_EQ(howTo.lblText.Caption(), "Click mouse Left Button to turn counterclockwise");
  EXPECT_EQ(CutCaptions(howTo), kNone);
}

TEST_F(LabelsTest, TheGamePanelHoldsItsWidestFigures) {
  game::FillRankThresholds();
  auto& game = game::frmMain();
  game.Show();
  game.lblScore.SetCaption(game::GroupDigits(std::numeric_limits<std::int32_t>::min()));
  game.lblHits.SetCaption(std::to_string(std::numeric_limits<std::int32_t>::max()));
  game.lblPercent.SetCaption("100%");
  EXPECT_EQ(CutCaptions(game), kNone);
}

}  // namespace
}  // namespace app_test

// SPDX-License-Identifier: MIT
#include "app/frm_score.h"

#include <string>

#include "app/clickable.h"
#include "app/frm_door.h"
#include "platform/loop/system.h"
#include "resources/picture_names.h"

namespace app {

namespace {

struct Point {
  int x, y;
};
// Top-left corners of each entry's controls; entries 0-3 form the left column.
constexpr Point kPicScore[] = {{0, 142},   {0, 304},   {0, 466},   {0, 628},
                               {510, 142}, {510, 304}, {510, 466}, {510, 628}};
constexpr Point kLblNo[] = {{170, 144}, {170, 306}, {170, 466}, {170, 630},
                            {682, 146}, {682, 308}, {682, 468}, {682, 632}};
constexpr Point kLblUser[] = {{170, 168}, {170, 330}, {170, 490}, {170, 656},
                              {682, 172}, {682, 334}, {682, 494}, {682, 660}};
constexpr Point kLblScorename[] = {{170, 194}, {170, 356}, {170, 518}, {170, 684},
                                   {682, 198}, {682, 360}, {682, 522}, {682, 688}};
constexpr Point kLblScore[] = {{166, 222}, {166, 386}, {168, 548}, {166, 712},
                               {678, 222}, {678, 386}, {680, 548}, {678, 712}};

constexpr gfx::Pixel kScoreColour = gfx::Rgb(10, 154, 215);

void SetTextLook(platform::Label& label, Point at, int width, int height, double points) {
  label.Move(at.x, at.y, width, height);
  label.SetFont("Arial", points, true);
  label.SetTransparent(true);
  label.SetAlignment(platform::Alignment::Left);
  label.SetAutoSize(true);
}

}  // namespace

FrmScore::FrmScore()
    : picMR(*this),
      picScore(*this),
      lblNo(*this),
      lblUser(*this),
      lblScorename(*this),
      lblScore(*this),
      imgBack(*this),
      pointer_(platform::LoadPicture(res::kPointer)) {
  SetCaption("High Score");
  SetClientSize(1024, 768);
  SetBackColor(gfx::kWhite);
  SetPicture(platform::LoadPicture(res::kScoreBack));
  SetIcon(platform::LoadPicture(res::kIcon));
  for (int j = 0; j < picMR.Count(); ++j) {
    picMR(j).Move(0, 0, 160, 140);
    picMR(j).SetPicture(platform::LoadPicture(res::kRank[j]));
    picMR(j).Hide();
  }
  for (int i = 0; i < kEntries; ++i) LayOutEntry(i);
  imgBack.Move(896, 28, 113, 113);
  MakeClickable(imgBack, pointer_, [this] { BackClick(); });
}

void FrmScore::LayOutEntry(int i) {
  picScore(i).Move(kPicScore[i].x, kPicScore[i].y, 160, 140);
  SetTextLook(lblNo(i), kLblNo[i], 31, 16, 10.5);
  lblNo(i).SetCaption("No." + std::to_string(i + 1));
  SetTextLook(lblUser(i), kLblUser[i], 90, 16, 10.5);
  SetTextLook(lblScorename(i), kLblScorename[i], 45, 16, 10.5);
  lblScorename(i).SetCaption("Score:");
  SetTextLook(lblScore(i), kLblScore[i], 173, 41, 26.25);
}

void FrmScore::Load() {
  SetClientSize(1024, 768);
  for (int i = 0; i < kEntries; ++i) {
    lblUser(i).SetCaption("Player:   " + game::HighScoreNames[i]);
    lblScore(i).SetCaption(game::GroupDigits(game::HighScoreValues[i]));
    lblScore(i).SetForeColor(kScoreColour);
    const int rank = InsigniaFor(game::HighScoreValues[i]);
    if (rank >= 0) picScore(i).SetPicture(picMR(rank).Image());
  }
}

int FrmScore::InsigniaFor(std::int32_t points) {
  for (int j = game::kRankCount - 1; j >= 0; --j) {
    if (points > game::RankThresholds[j]) return j;
  }
  return -1;
}

void FrmScore::BackClick() {
  frmDoor().Show();
  Close();
}

}  // namespace app

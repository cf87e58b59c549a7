// SPDX-License-Identifier: MIT
#include "game/frm_main.h"

#include <algorithm>
#include <filesystem>

#include "audio/frm_music.h"
#include "game/high_score.h"
#include "platform/files/places.h"
#include "platform/loop/system.h"
#include "resources/picture_names.h"
#include "storage/player_file.h"

namespace game {
namespace {

constexpr int kWidthTwips = 15360;   // 1024 pixels
constexpr int kHeightTwips = 11520;  // 768 pixels
constexpr int kInsigniaLeft = 832;
constexpr int kInsigniaTop = 222;
constexpr gfx::Pixel kBarColour = gfx::Rgb(10, 154, 215);

void SetUpPanelLabel(platform::Label& label, int left, int top, int width, int height) {
  label.Move(left, top, width, height);
  label.SetFont("Verdana", 10.5, true);
  label.SetAlignment(platform::Alignment::Centre);
}

void SetUpHiddenPicture(platform::PictureBox& picture, int width, int height,
                        const gfx::Surface& content) {
  picture.Move(0, 0, width, height);
  picture.Hide();
  if (!content.empty()) picture.SetPicture(content);
}

void SetUpHiddenPicture(platform::PictureBox& picture, int width, int height,
                        const char* fileName) {
  SetUpHiddenPicture(picture, width, height, platform::LoadPicture(fileName));
}

}  // namespace

FrmMain::FrmMain()
    : picEmpty(*this),
      picBack(*this),
      picDH(*this),
      pic300(*this),
      pic600(*this),
      pic1000(*this),
      pic1500(*this),
      picCursor(*this),
      Picture1(*this),
      lblScore(*this, &Picture1),
      Picture2(*this),
      lblHits(*this, &Picture2),
      Picture3(*this),
      sProcess(*this, &Picture3),
      lblPercent(*this, &Picture3),
      TAnim(*this, 1, false),
      TOther(*this, 10, false),
      imgMusic(*this),
      imgExit(*this) {
  SetCaption("Zentorra");
  SetBackColor(gfx::kWhite);
  LayOutPictures();
  LayOutPanel();
  LoadPictures();
  SetUpCursor();

  TAnim.OnTick = [this] {
    OnAnimTick();
    DrawCursor();  // over whatever the frame drew
    LeaveAfterMove();
  };
  TOther.OnTick = [this] { OnPopupTick(); };

  imgMusic.Move(678, 654, 85, 93);
  imgMusic.SetMousePointer(platform::MousePointer::Hand);
  imgMusic.OnClick = [] { audio::frmMusic().MusicSwitch(); };
  imgExit.Move(846, 652, 107, 95);
  imgExit.SetMousePointer(platform::MousePointer::Hand);
  imgExit.OnClick = [this] { LeaveGame(); };
}

platform::PictureBox& FrmMain::PopupPicture(int popupKind) {
  std::array<platform::PictureBox*, 5> pictures = {&picDH, &pic300, &pic600, &pic1000, &pic1500};
  return *pictures[popupKind];
}

void FrmMain::LayOutPictures() {
  for (auto& ball : picBall_) ball = std::make_unique<platform::PictureBox>(*this);
  for (auto& insignia : picMR_) {
    insignia = std::make_unique<platform::PictureBox>(*this);
    insignia->Move(kInsigniaLeft, kInsigniaTop, 160, 140);
    insignia->Hide();
  }
  picMR(0).Show();
}

void FrmMain::LayOutPanel() {
  Picture1.Move(646, 222, 157, 21);
  Picture1.SetBackColor(gfx::kWhite);
  SetUpPanelLabel(lblScore, 10, 2, 135, 19);
  Picture2.Move(646, 282, 157, 21);
  Picture2.SetBackColor(gfx::kWhite);
  SetUpPanelLabel(lblHits, 10, 2, 135, 19);
  Picture3.Move(642, 340, 165, 21);
  Picture3.SetBackColor(gfx::kWhite);
  Picture3.SetScaleTwips(true);
  sProcess.Move(0, 0, 2480, 330);
  sProcess.SetBorder(false);
  // Wide enough for "100%", its middle where it was designed.
  SetUpPanelLabel(lblPercent, 57 * platform::kTwipsPerPixel, 2 * platform::kTwipsPerPixel,
                  45 * platform::kTwipsPerPixel, 17 * platform::kTwipsPerPixel);
  lblPercent.SetCaption("70%");
}

void FrmMain::LoadPictures() {
  const gfx::Surface back = platform::LoadPicture(res::kGameBack);
  if (!back.empty()) SetPicture(back);
  SetUpHiddenPicture(picBack, 1024, 768, back);
  SetUpHiddenPicture(picEmpty, 962, 716, res::kEmpty);
  for (int kind = 0; kind < 7; ++kind)
    SetUpHiddenPicture(PicBall(kind), kCell, kCell, res::kBall[kind]);
  std::array<platform::PictureBox*, 5> popups = {&picDH, &pic300, &pic600, &pic1000, &pic1500};
  for (int kind = 0; kind < 5; ++kind)
    SetUpHiddenPicture(*popups[kind], 180, 60, res::kPopup[kind]);
  for (int rank = 0; rank < kRankCount; ++rank) {
    const gfx::Surface insignia = platform::LoadPicture(res::kRank[rank]);
    if (!insignia.empty()) picMR(rank).SetPicture(insignia);
  }
}

void FrmMain::Load() {
  SetSizeTwips(kWidthTwips, kHeightTwips);
  BoardCanvas canvas;
  canvas.target = &Image();
  for (int kind = 0; kind < 7; ++kind) canvas.balls[kind] = &PicBall(kind).Image();
  canvas.empty = &picEmpty.Image();
  SetBoardCanvas(canvas);

  PopupScale = 0.1f;
  PopupTick = 0;
  lblPercent.SetForeColor(gfx::kBlack);
  lblScore.SetForeColor(gfx::kBlack);
  lblHits.SetForeColor(gfx::kBlack);
  sProcess.SetFillColor(kBarColour);
  ZoomScale = 1.0f;
  AnimTick = 0;
  Score = 0;
  // Looked up once: finding it may read the whole data folder (letter case).
  const auto save = storage::PlayerFilePath(platform::PlayerFolder(), PlayerName);
  std::error_code error;  // a save that cannot even be looked at starts a new game
  if (std::filesystem::exists(save, error)) {
    ContinueSavedGame(save);
  } else {
    StartNewGame();
  }
  EraseArea(0, kBoardTop, 600, 600);
  Refresh();
  DealBoard();
  Refresh();
}

void FrmMain::ContinueSavedGame(const std::filesystem::path& save) {
  // Starts from nothing: what the file lacks must not come from an earlier game.
  storage::PlayerRecord record;
  storage::LoadPlayerFile(save, record);
  Score = record.score;
  Hits = record.hits;
  // The file is the player's to edit: never let it index outside the rank tables.
  RankIndex = std::clamp<std::int16_t>(record.rankIndex, 0, kRankCount - 1);
  RankTier = std::clamp<std::int16_t>(record.rankTier, 0, 9);
  if (const auto points = ScorePoints()) lblScore.SetCaption(GroupDigits(*points));
  lblHits.SetCaption(std::to_string(Hits));
  picMR(RankIndex).Move(kInsigniaLeft, kInsigniaTop);
  picMR(RankIndex).Show();
  if (RankIndex != 0) picMR(0).Hide();
  ShowRankProgress();
}

void FrmMain::StartNewGame() {
  Score = 0;
  Hits = 0;
  RankIndex = 0;
  RankTier = 0;
  picMR(0).Move(kInsigniaLeft, kInsigniaTop);
  picMR(0).Show();
  lblPercent.SetCaption("0%");
  sProcess.SetWidth(1);
}

// Column by column; every new ball is counted against the kind-6 limit as the board
// stands at that moment, old cells included.
void FrmMain::DealBoard() {
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < kRows; ++r) {
      const int kind = NewBallKind();
      Board[c][r] = static_cast<std::int16_t>(kind);
      DrawBall(kind, kCell * c, kBoardTop + kCell * r);
    }
  }
}

}  // namespace game

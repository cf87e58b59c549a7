// SPDX-License-Identifier: MIT
#include "app/frm_splash.h"

#include "app/frm_door.h"
#include "audio/frm_music.h"
#include "gfx/raster.h"
#include "platform/files/places.h"
#include "platform/loop/system.h"
#include "resources/picture_names.h"
#include "storage/score_file.h"

namespace app {

namespace {

constexpr int kWidthTwips = 15360, kHeightTwips = 11520;  // 1024 x 768 pixels
constexpr int kFadeStep = 10;
constexpr int kFadeTop = 399;  // above this the title starts fading out

// A missing file, or one that cannot be read, leaves the table empty.
void LoadHighScores() {
  storage::ScoreTable table;
  if (!storage::LoadScoreFile(storage::ScoreFilePath(platform::PlayerFolder()), table)) return;
  game::HighScoreNames = table.names;
  game::HighScoreValues = table.values;
}

}  // namespace

FrmSplash::FrmSplash() : picSplash(*this), picWhite(*this), Timer1(*this, 20, false) {
  SetCaption("Zentorra");
  picSplash.Move(0, 0, kTitleWidth, kTitleHeight);
  picSplash.SetPicture(platform::LoadPicture(res::kSplashTitle));
  picSplash.Hide();
  picWhite.Move(0, 0, kTitleWidth, kTitleHeight);
  picWhite.SetPicture(platform::LoadPicture(res::kWhite));
  picWhite.Hide();
  Timer1.OnTick = [this] { Timer1Tick(); };
}

void FrmSplash::Load() {
  SetSizeTwips(kWidthTwips, kHeightTwips);
  // Only the height is tested: the menus need all 768 rows, a narrower screen still works.
  if (platform::ScreenHeight() * platform::kTwipsPerPixel <
      ClientHeight() * platform::kTwipsPerPixel) {
    platform::MsgBox("Minimum screen resolution is 1024 * 768", "Warning",
                     platform::MsgBoxIcon::Exclamation);
    Close();
    platform::EndProgram();
    return;
  }
  SetBackColor(gfx::kWhite);
  game::FillRankThresholds();
  LoadHighScores();
  FadeLevel = 0;
  FadingOut = game::kFalse;
  Timer1.SetEnabled(true);
  audio::frmMusic().Show();
}

void FrmSplash::Timer1Tick() {
  if (FadingOut == game::kTrue && FadeLevel < 1) {
    OpenMenu();
    return;
  }
  if (FadeLevel > kFadeTop) FadingOut = game::kTrue;
  FadeLevel = static_cast<std::int16_t>(FadingOut == game::kTrue ? FadeLevel - kFadeStep
                                                                 : FadeLevel + kFadeStep);
  DrawFadeFrame();
}

void FrmSplash::OpenMenu() {
  Timer1.SetEnabled(false);
  frmDoor().Show();
  Close();
}

void FrmSplash::DrawFadeFrame() {
  gfx::fxBitBlt(Image(), kTitleLeft, kTitleTop, kTitleWidth, kTitleHeight, picWhite.Image(), 0, 0,
                gfx::SRCCOPY);
  gfx::fxAlphaBlend(Image(), kTitleLeft, kTitleTop, kTitleWidth, kTitleHeight, picSplash.Image(), 0,
                    0, kTitleWidth, kTitleHeight, FadeLevel, 0xFFFFFF, 0);
  Refresh();
}

}  // namespace app

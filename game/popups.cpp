// SPDX-License-Identifier: MIT
// The score popups grown by TOther in the right-hand panel, and the hand-over to the win
// screen.
#include "game/frm_main.h"
#include "game/high_score.h"
#include "game/screen_links.h"
#include "gfx/raster.h"
#include "platform/loop/system.h"

namespace game {
namespace {

constexpr int kPopupLeft = 730, kPopupTop = 450, kPopupWidth = 180, kPopupHeight = 60;
constexpr int kPopupCentreX = 820, kPopupCentreY = 480;
constexpr std::int16_t kWipeTick = 50;
constexpr std::int16_t kNoPopup = 5;
constexpr double kGrowStep = 0.2;

}  // namespace

void FrmMain::RestorePopupArea() {
  gfx::fxBitBlt(Image(), kPopupLeft, kPopupTop, kPopupWidth, kPopupHeight, picBack.Image(),
                kPopupLeft, kPopupTop, gfx::SRCCOPY);
}

// The count runs from the last wipe, not from the start of the popup on screen.
void FrmMain::OnPopupTick() {
  ++PopupTick;
  if (PopupTick == kWipeTick) {
    PopupTick = 0;
    RestorePopupArea();
    Refresh();
    TOther.SetEnabled(false);
    platform::DoEvents();  // runs no timer tick
    return;
  }
  if (PopupKind < 0 || PopupKind >= kNoPopup) return;
  const gfx::Surface& picture = PopupPicture(PopupKind).Image();
  RestorePopupArea();
  if (PopupScale < 1.0f) {
    gfx::fxZoom(Image(), kPopupCentreX, kPopupCentreY, picture, 0, 0, kPopupWidth, kPopupHeight,
                static_cast<double>(PopupScale), 0, 0);
    Refresh();
    PopupScale = static_cast<float>(static_cast<double>(PopupScale) + kGrowStep);
    return;
  }
  gfx::fxZoom(Image(), kPopupCentreX, kPopupCentreY, picture, 0, 0, kPopupWidth, kPopupHeight, 1.0,
              0, 0);
  PopupScale = 0.1f;
  PopupKind = kNoPopup;
  Refresh();
}

// A won game goes into the high-score table (and its file) like a game left through
// Exit, so that it is not lost; the player's save file stays as it was.
void FrmMain::ShowWinScreen() {
  RecordResult();
  if (Links().showWinScreen) Links().showWinScreen();
  Close();
}

}  // namespace game

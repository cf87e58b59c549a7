// SPDX-License-Identifier: MIT
#include "app/frm_win.h"

#include "app/label_fit.h"
#include "audio/frm_music.h"
#include "platform/loop/system.h"
#include "resources/picture_names.h"

namespace app {

namespace {

constexpr int kWidthTwips = 15360, kHeightTwips = 11520;  // 1024 x 768 pixels
// The desktop's caption text colour (white in the classic scheme the screens were drawn for).
constexpr gfx::Pixel kCaptionTextColour = gfx::kWhite;
constexpr int kLastRank = 24;

}  // namespace

FrmWin::FrmWin() : Picture1(*this), lblOver(*this), Timer1(*this, 5000, true) {
  SetCaption("Win!");
  SetClientSize(1024, 768);
  SetBackColor(kCaptionTextColour);
  SetIcon(platform::LoadPicture(res::kIcon));
  Picture1.Move(0, 0, 160, 140);
  Picture1.SetPicture(platform::LoadPicture(res::kRank[kLastRank]));
  lblOver.Move(704, 744, 315, 19);
  lblOver.SetCaption("Game Over. You are General of The Army!");
  lblOver.SetFont("Arial", 12, true);
  lblOver.SetAlignment(platform::Alignment::Centre);
  WidenToText(lblOver, true);  // our Arial is a little wider: the sentence stays on one line
  Timer1.OnTick = [this] { Timer1Tick(); };
}

void FrmWin::Load() {
  SetSizeTwips(kWidthTwips, kHeightTwips);
  // Centred in the window itself, so that on a screen larger than the window the
  // insignia still lies in the middle of it.
  Picture1.Move((ClientWidth() - Picture1.Width()) / 2, (ClientHeight() - Picture1.Height()) / 2);
}

void FrmWin::Timer1Tick() {
  audio::frmMusic().Close();  // stops and frees every sound
  Close();
  platform::EndProgram();
}

}  // namespace app

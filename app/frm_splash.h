// SPDX-License-Identifier: MIT
// The splash screen: refuses screens that are too small, fills the rank table, loads the
// high scores, starts the hidden music screen, fades its title in and out and opens the
// menu.
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "platform/ui/form.h"

namespace app {

class FrmSplash : public platform::Form {
 public:
  FrmSplash();

  platform::PictureBox picSplash;  // the 600 x 150 title, faded in and out
  platform::PictureBox picWhite;   // plain white, clears the title area before each frame
  platform::Timer Timer1;          // 20 ms, drives the fade

  std::int16_t FadeLevel = 0;
  game::Flag FadingOut = game::kFalse;

  // Where the title is drawn on the window.
  static constexpr int kTitleLeft = 200, kTitleTop = 300;
  static constexpr int kTitleWidth = 600, kTitleHeight = 150;

 protected:
  void Load() override;
  void QueryUnload() override { OpenMenu(); }  // closing the window skips the fade

 private:
  void Timer1Tick();
  void OpenMenu();
  void DrawFadeFrame();
};

inline FrmSplash& frmSplash() {
  return platform::Instance<FrmSplash>();
}

}  // namespace app

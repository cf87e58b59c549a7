// SPDX-License-Identifier: MIT
// The win screen: the insignia of the highest rank with a closing message; the program
// ends five seconds after it is shown.
#pragma once

#include "platform/ui/form.h"

namespace app {

class FrmWin : public platform::Form {
 public:
  FrmWin();

  platform::PictureBox Picture1;  // the insignia of the last rank
  platform::Label lblOver;
  platform::Timer Timer1;  // 5000 ms, ends the program

 protected:
  void Load() override;
  void QueryUnload() override { Timer1Tick(); }  // closing the window ends the game at once

 private:
  void Timer1Tick();
};

inline FrmWin& frmWin() {
  return platform::Instance<FrmWin>();
}

}  // namespace app

// SPDX-License-Identifier: MIT
// The menu: takes the player name, continues a saved game or starts a new one, opens the
// high scores and the how-to-play screen, starts the music and quits the program.
#pragma once

#include <string>

#include "gfx/surface.h"
#include "platform/ui/form.h"

namespace app {

class FrmDoor : public platform::Form {
 public:
  FrmDoor();

  // Invisible click areas over the buttons painted on the background.
  platform::Image imgPlay, ImgScore, imgExit, imgHTP;

  // Three panels in one rectangle; each is shown and hidden on its own. Created so that
  // the name entry lies on top: it is always the one the player has just asked for.
  platform::PictureBox picAsk;  // new-game confirmation
  platform::Label Label1;
  platform::Label lblYes, lblNo;
  platform::PictureBox picNew;  // continue or new game
  platform::Image imgNewGame, imgContinue;
  platform::PictureBox picName;  // name entry
  platform::Label lblNotice;
  platform::TextBox txtName;
  platform::Label lblOK, lblCancel;

  // The click handlers, in the order of the menu's reactions.
  void PlayClick();
  void CancelClick();
  void OkClick();
  void ContinueClick();
  void NewGameClick();
  void NoClick();
  void YesClick();
  void ScoreClick();
  void ExitClick();
  void HowToPlayClick();

  // Letters A-Z, a-z and digits only, and not the name of the high-score table's file.
  static bool IsValidPlayerName(const std::string& name);

 protected:
  void Load() override;
  void Click() override;  // the bare window
  void KeyDown(platform::Key key, int shift) override;
  void QueryUnload() override { ExitClick(); }  // the window's close acts as Quit

 private:
  void LayOutPanels();
  void SetNotice(const std::string& caption, gfx::Pixel colour);
  // Clears the box, shows the notice in red and puts the focus back into the box.
  void RefuseName(const std::string& notice);
  void OpenGame();

  gfx::Surface pointer_;
};

inline FrmDoor& frmDoor() {
  return platform::Instance<FrmDoor>();
}

}  // namespace app

// SPDX-License-Identifier: MIT
// Zentorra: the start-up routine opens the first screen, then the event loop runs until
// the music screen is closed (by the menu's Quit or five seconds after the win screen).
#include "app/frm_door.h"
#include "app/frm_how_to_play.h"
#include "app/frm_splash.h"
#include "app/frm_win.h"
#include "app/startup.h"
#include "game/screen_links.h"
#include "platform/files/places.h"
#include "platform/loop/system.h"

int main() {
  if (!platform::InitDesktop()) {
    platform::Shutdown();
    return 1;
  }
  game::Links().showMenu = [] { app::frmDoor().Show(); };
  game::Links().showWinScreen = [] { app::frmWin().Show(); };
  if (!app::StartUp(
          platform::PlayerFolder(), platform::PlayerFolderFailure(),
          [] { app::frmSplash().Show(); }, [] { app::frmHowToPlay().Show(); })) {
    platform::Shutdown();
    return 1;
  }
  const int status = platform::Run();
  platform::Shutdown();
  return status;
}

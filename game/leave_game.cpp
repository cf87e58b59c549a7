// SPDX-License-Identifier: MIT
// Leaving through Exit: the only way a game is saved.
#include "game/frm_main.h"
#include "game/high_score.h"
#include "game/save_report.h"
#include "game/screen_links.h"
#include "platform/files/places.h"
#include "storage/player_file.h"

namespace game {

void FrmMain::SaveProgress() {
  const auto path = storage::PlayerFilePath(platform::PlayerFolder(), PlayerName);
  std::error_code error;
  if (!storage::SavePlayerFile(path, {Score, Hits, RankIndex, RankTier}, error))
    ReportSaveFailure("Your progress", path, error);
  RecordResult();
}

// Every step runs even when an earlier one failed: the menu is always shown and the game
// window always closed.
void FrmMain::LeaveGame() {
  SaveProgress();
  if (Links().showMenu) Links().showMenu();
  Close();
}

// The player's session ends with the game open: for the player that is the window's close,
// which cannot wait for the move's end now. The program ends next, so nothing is shown.
void FrmMain::SessionEnds() {
  leaveAfterMove_ = false;
  SaveProgress();
}

// Exit cannot be clicked during a move (the window is disabled then), so a close request
// that comes meanwhile is held until the move has ended, and lost only to a won game.
void FrmMain::QueryUnload() {
  if (Enabled()) {
    LeaveGame();
    return;
  }
  leaveAfterMove_ = true;
}

void FrmMain::LeaveAfterMove() {
  if (leaveAfterMove_ && Enabled() && !Closing()) LeaveGame();
}

}  // namespace game

// Leaving through Exit: the only way a game is saved.
#include "game/frm_main.h"
#include "game/high_score.h"
#include "game/save_report.h"
#include "game/screen_links.h"
#include "platform/files/places.h"
#include "storage/player_file.h"

namespace game {

// Every step runs even when an earlier one failed: the menu is always shown and the game
// window always closed.
void FrmMain::LeaveGame() {
  const auto path = storage::PlayerFilePath(platform::PlayerFolder(), PlayerName);
  std::error_code error;
  if (!storage::SavePlayerFile(path, {Score, Hits, RankIndex, RankTier}, error))
    ReportSaveFailure("Your progress", path, error);
  RecordResult();
  if (Links().showMenu) Links().showMenu();
  Close();
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

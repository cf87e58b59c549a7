// Leaving through Exit: the only way a game is saved.
#include "game/frm_main.h"
#include "game/high_score.h"
#include "game/screen_links.h"
#include "platform/places.h"
#include "storage/player_file.h"

namespace game {

// Every step runs even when an earlier one failed: the menu is always shown and the game
// window always closed.
void FrmMain::LeaveGame() {
  storage::SavePlayerFile(storage::PlayerFilePath(platform::PlayerFolder(), PlayerName),
                          {Score, Hits, RankIndex, RankTier});
  RecordResult();
  if (Links().showMenu) Links().showMenu();
  Close();
}

}  // namespace game

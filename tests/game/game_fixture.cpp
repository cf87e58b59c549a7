// SPDX-License-Identifier: MIT
#include "tests/game/game_fixture.h"

#include "game/game_state.h"
#include "game/screen_links.h"
#include "platform/headless/headless.h"
#include "platform/loop/system.h"
#include "storage/player_file.h"

namespace game::testing {
namespace {

void InstallTestPictures(FrmMain& game) {
  for (int kind = 0; kind < 7; ++kind) {
    game.PicBall(kind).SetPicture(gfx::Surface(kCell, kCell, kBallColour[kind]));
  }
  game.picEmpty.SetPicture(gfx::Surface(962, 716, gfx::kWhite));
  const gfx::Surface back(1024, 768, kBackColour);
  game.picBack.SetPicture(back);
  game.SetPicture(back);
  for (int kind = 0; kind < 5; ++kind) {
    game.PopupPicture(kind).SetPicture(gfx::Surface(180, 60, kPopupColour[kind]));
  }
}

}  // namespace

void GameTest::SetUp() {
  HeadlessTest::SetUp();
  std::filesystem::create_directories(folder_ / "data");
  std::error_code ignored;
  std::filesystem::create_directory_symlink(std::filesystem::path(ZT_PROGRAM_DIR) / "resources",
                                            folder_ / "resources", ignored);
  platform::SetProgramFolder(folder_);
  ResetSharedState();
  PlayerName = "Tester";
  FillRankThresholds();
  SeedRandom(12345);
  Links().showMenu = [this] { ++menuShown_; };
  Links().showWinScreen = [this] { ++winShown_; };
}

void GameTest::TearDown() {
  HeadlessTest::TearDown();
  ResetSharedState();  // the screen links point into this fixture
  game_ = nullptr;
}

FrmMain& GameTest::OpenGame() {
  game_ = &frmMain();
  InstallTestPictures(*game_);
  game_->Show();
  return *game_;
}

void GameTest::WriteSave(std::int32_t score, std::int32_t hits, std::int16_t rank,
                         std::int16_t tier) {
  std::error_code error;
  ASSERT_TRUE(storage::SavePlayerFile(storage::PlayerFilePath(folder_, PlayerName),
                                      {score, hits, rank, tier}, error));
}

void GameTest::ShowBoard() {
  RedrawBoard();
  game_->Refresh();
}

int GameTest::RunMove(int limit) {
  int ticks = 0;
  while (game_->TAnim.Enabled() && ticks < limit) {
    platform::headless::RunTicks(game_->TAnim, 1);
    ++ticks;
    if (winShown_ > 0) break;  // the window is closing
  }
  return ticks;
}

void GameTest::RunAnimTicks(int count) {
  platform::headless::RunTicks(game_->TAnim, count);
}

gfx::Pixel GameTest::Pixel(int x, int y) {
  return platform::headless::Frame(*game_).at(x, y);
}

gfx::Pixel GameTest::CellPixel(int col, int row) {
  return Pixel(kCell * col + 37, kBoardTop + kCell * row + 37);
}

int GameTest::CountKind(int kind) {
  int count = 0;
  for (const auto& column : Board) {
    for (const auto cell : column) count += cell == kind;
  }
  return count;
}

bool GameTest::GameWindowOpen() {
  return platform::detail::FindInstance(typeid(FrmMain)) != nullptr;
}

}  // namespace game::testing

// The platform keeps its fonts open for the whole run; what the font libraries allocate
// for them is still held at exit and is not this program's leak.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libSDL2\nleak:libSDL2_ttf\nleak:libharfbuzz\nleak:libfreetype\n";
}

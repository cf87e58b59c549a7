// SPDX-License-Identifier: MIT
#include "bench/game_setup.h"

#include <filesystem>

#include "platform/headless/headless.h"
#include "platform/loop/system.h"

namespace bench {

game::FrmMain& OpenBenchGame() {
  static const bool initialised = [] {
    platform::headless::Init();
    const auto folder = std::filesystem::temp_directory_path() / "zt_bench_game";
    std::filesystem::create_directories(folder / "data");
    platform::SetProgramFolder(folder);
    return true;
  }();
  (void)initialised;
  platform::headless::Reset();
  game::FillRankThresholds();
  game::SeedRandom(2024);
  game::PlayerName = "Bench";
  game::Score = 0;
  game::FrmMain& game = game::frmMain();
  for (int kind = 0; kind < 7; ++kind) {
    game.PicBall(kind).SetPicture(gfx::Surface(75, 75, gfx::Rgb(40 * kind, 255 - 30 * kind, 90)));
  }
  game.picEmpty.SetPicture(gfx::Surface(962, 716, gfx::kWhite));
  game.picBack.SetPicture(gfx::Surface(1024, 768, 0xC0C0C0));
  game.Show();
  return game;
}

}  // namespace bench

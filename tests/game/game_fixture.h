// SPDX-License-Identifier: MIT
// A game screen on the headless backend with plain coloured test pictures, a private
// program folder, seeded random numbers and recorders for the screen hand-overs.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "game/frm_main.h"
#include "gfx/surface.h"
#include "tests/support/boards.h"
#include "tests/support/headless_test.h"
#include "tests/support/temp_folder.h"

namespace game::testing {

using zt_test::BoardHasLine;
using zt_test::SetBoard;
using zt_test::SetLineFreeBoard;

// Ball kind k is a plain square of this colour, so a pixel tells which kind is drawn.
inline constexpr std::array<gfx::Pixel, 7> kBallColour = {0x0000FF, 0x00C000, 0x800080, 0xFF0000,
                                                          0x808080, 0xFF8000, 0x00FFFF};
inline constexpr gfx::Pixel kBackColour = 0xC0C0C0;  // picBack and the window background
inline constexpr std::array<gfx::Pixel, 5> kPopupColour = {0x101010, 0x202020, 0x303030, 0x404040,
                                                           0x505050};
inline constexpr double kTickMs = 15.625;

class GameTest : public zt_test::HeadlessTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates frmMain with the test pictures and shows it (runs its loading).
  FrmMain& OpenGame();
  // Writes the player's save file before the game opens.
  void WriteSave(std::int32_t score, std::int32_t hits, std::int16_t rank, std::int16_t tier);

  // Draws the board from the model, as the loading would have.
  void ShowBoard();

  // Runs TAnim ticks one by one until the move has ended (timer stopped), at most limit.
  int RunMove(int limit = 5000);
  void RunAnimTicks(int count);

  gfx::Pixel Pixel(int x, int y);
  gfx::Pixel CellPixel(int col, int row);  // the centre pixel of a cell on the frame
  static int CountKind(int kind);
  // Whether the game window is still open: a closed one is no longer the screen's instance.
  static bool GameWindowOpen();

  zt_test::TempFolder temp_{"zt_game"};
  const std::filesystem::path& folder_ = temp_.Path();
  FrmMain* game_ = nullptr;
  int menuShown_ = 0;
  int winShown_ = 0;
};

}  // namespace game::testing

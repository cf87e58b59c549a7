// SPDX-License-Identifier: MIT
// The screens the game screen hands over to live in the application layer above it.
// The application connects them at start; tests connect recorders.
#pragma once

#include <functional>

namespace game {

struct ScreenLinks {
  std::function<void()> showMenu;       // frmDoor.Show
  std::function<void()> showWinScreen;  // frmWin.Show
};

ScreenLinks& Links();

}  // namespace game

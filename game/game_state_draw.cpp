// SPDX-License-Identifier: MIT
#include "game/game_state.h"
#include "gfx/raster.h"

namespace game {
namespace {

BoardCanvas& Canvas() {
  static BoardCanvas canvas;
  return canvas;
}

}  // namespace

void SetBoardCanvas(const BoardCanvas& canvas) {
  Canvas() = canvas;
}
const BoardCanvas& CurrentBoardCanvas() {
  return Canvas();
}

void DrawBall(int kind, int x, int y) {
  const BoardCanvas& canvas = Canvas();
  if (canvas.target == nullptr || kind < 0 || kind >= int(canvas.balls.size())) return;
  const gfx::Surface* ball = canvas.balls[kind];
  if (ball == nullptr) return;
  // The MERGEPAINT reads 64 rows lower than the SRCAND; below the picture the source reads
  // white and leaves the cell as it is.
  gfx::fxBitBlt(*canvas.target, x, y, kCell, kCell, *ball, 0, 64, gfx::MERGEPAINT);
  gfx::fxBitBlt(*canvas.target, x, y, kCell, kCell, *ball, 0, 0, gfx::SRCAND);
}

void EraseArea(int x, int y, int w, int h) {
  const BoardCanvas& canvas = Canvas();
  if (canvas.target == nullptr || canvas.empty == nullptr) return;
  gfx::fxBitBlt(*canvas.target, x, y, w, h, *canvas.empty, 0, 0, gfx::SRCCOPY);
}

void RedrawBoard() {
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < kRows; ++r) {
      const int x = kCell * c, y = kBoardTop + kCell * r;
      EraseArea(x, y, kCell, kCell);
      DrawBall(Board[c][r], x, y);
    }
  }
}

}  // namespace game

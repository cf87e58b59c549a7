// SPDX-License-Identifier: MIT
// The eight balls of a turned ring sliding into their new cells.
#include "game/frm_main.h"
#include "game/ring.h"
#include "gfx/raster.h"

namespace game {
namespace {

constexpr int kSlideStep = 5;   // pixels per tick
constexpr int kLastFrame = 70;  // a larger offset means the slide is complete

// One moving ball: where it starts (offset from the centre, in cells) and which way it
// moves (one of the four unit steps). It ends in the cell start + step, and the kind that
// Board now holds there is drawn.
struct SlidingBall {
  CellOffset start;
  CellOffset step;
};

// Clockwise: the top row moves right, the right column down, the bottom row left, the
// left column up. Drawn in this order, so overlapping balls near the corners stack so.
constexpr std::array<SlidingBall, 8> kClockwise = {{
    {{-1, -1}, {1, 0}},  // NW to N
    {{0, -1}, {1, 0}},   // N to NE
    {{1, -1}, {0, 1}},   // NE to E
    {{1, 0}, {0, 1}},    // E to SE
    {{1, 1}, {-1, 0}},   // SE to S
    {{0, 1}, {-1, 0}},   // S to SW
    {{-1, 1}, {0, -1}},  // SW to W
    {{-1, 0}, {0, -1}},  // W to NW
}};

// Counterclockwise: the top row moves left, the left column down, the bottom row right,
// the right column up.
constexpr std::array<SlidingBall, 8> kCounterclockwise = {{
    {{-1, -1}, {0, 1}},  // NW to W
    {{0, -1}, {-1, 0}},  // N to NW
    {{1, -1}, {-1, 0}},  // NE to N
    {{1, 0}, {0, -1}},   // E to NE
    {{1, 1}, {0, -1}},   // SE to E
    {{0, 1}, {1, 0}},    // S to SE
    {{-1, 1}, {1, 0}},   // SW to S
    {{-1, 0}, {0, 1}},   // W to SW
}};

}  // namespace

void FrmMain::DrawRing(int direction, int offset) {
  const int c = CenterCol;
  const int r = CenterRow;
  EraseArea(kCell * (c - 1), kBoardTop + kCell * (r - 1), 3 * kCell, 3 * kCell);
  gfx::fxBitBlt(Image(), kCell * c, kBoardTop + kCell * r, kCell, kCell,
                PicBall(Board[c][r]).Image(), 0, 0, gfx::SRCCOPY);
  const auto& balls = direction == kSlideClockwise ? kClockwise : kCounterclockwise;
  for (const SlidingBall& ball : balls) {
    const int destCol = c + ball.start.dc + ball.step.dc;
    const int destRow = r + ball.start.dr + ball.step.dr;
    DrawBall(Board[destCol][destRow], kCell * (c + ball.start.dc) + offset * ball.step.dc,
             kBoardTop + kCell * (r + ball.start.dr) + offset * ball.step.dr);
  }
}

bool FrmMain::SlideTick(int direction) {
  if (AnimTick > kLastFrame) {
    AnimTick = 0;
    DrawRing(direction, kCell);  // the ring at rest
    Refresh();
    CheckLines(direction);
    return true;
  }
  DrawRing(direction, AnimTick);
  AnimTick = static_cast<std::int16_t>(AnimTick + kSlideStep);
  Refresh();
  return false;
}

}  // namespace game

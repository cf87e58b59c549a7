// SPDX-License-Identifier: MIT
// States 3, 4 and 5 of the board state machine: a scored line shrinks away, the balls above
// a vertical line drop, and the ball of a refused press shakes. The model is already final;
// these states only draw.
#include <cmath>

#include "audio/sound_manager.h"
#include "game/board_rules.h"
#include "game/frm_main.h"
#include "gfx/raster.h"

namespace game {
namespace {

constexpr double kShrinkStep = 0.05;
constexpr float kSmallestZoom = 0.1f;
constexpr int kDropStep = 15;   // pixels per tick
constexpr int kShakeStep = 15;  // AnimTick per tick
constexpr int kShakeEnd = 300;  // 21 frames, AnimTick 0 to 300
constexpr int kShakeWidth = 3;  // pixels either side

// Cell centres rounded half to even: 37.5 gives 38, 112.5 gives 112.
int CentreX(int col) {
  return static_cast<int>(std::nearbyint(kCell * col + 37.5));
}
int CentreY(int row) {
  return static_cast<int>(std::nearbyint(kBoardTop + 37.5 + kCell * row));
}

// How many rows above its cell each dropping ball starts.
int DropRows(int matchRow, int length) {
  if (matchRow == 3 && length == 4) return 3;
  if (matchRow == 4 && length == 3) return 3;
  if (matchRow == 4 && length == 4) return 4;
  if (matchRow == 5 && length == 3) return 4;
  return 2;
}

struct Cell {
  int col, row;
};

Cell LineCell(int k) {
  if (MatchDirection == kVertical) return {MatchCol, MatchRow + k};
  return {MatchCol + k, MatchRow};
}

}  // namespace

void FrmMain::EraseMatchStrip() {
  const bool vertical = MatchDirection == kVertical;
  EraseArea(kCell * MatchCol, kBoardTop + kCell * MatchRow, vertical ? kCell : kCell * MatchLength,
            vertical ? kCell * MatchLength : kCell);
}

// ZoomScale is single precision and the step is taken in double: the factors run 1.0,
// 0.95 ... 0.15 (18 frames), and the step after 0.15 lands just below 0.1.
void FrmMain::ShrinkStep() {
  ChainActive = kTrue;
  EraseMatchStrip();
  for (int k = 0; k < MatchLength; ++k) {
    const Cell cell = LineCell(k);
    gfx::fxZoom(Image(), CentreX(cell.col), CentreY(cell.row), PicBall(MatchKind).Image(), 0, 0,
                kCell, kCell, static_cast<double>(ZoomScale), 0, 0);
  }
  ZoomScale = static_cast<float>(static_cast<double>(ZoomScale) - kShrinkStep);
  if (ZoomScale < kSmallestZoom) {
    ZoomScale = kSmallestZoom;
    EraseMatchStrip();
    Refresh();
    AnimState = kDropColumn;
    AnimTick = 0;
  }
  Refresh();
}

// The three balls now standing in the line's top cells fall K rows into place; a
// horizontal line only waits. Then the whole board is redrawn and the line check runs
// again on the next tick to find chain lines.
void FrmMain::DropStep() {
  if (AnimTick > kCell * (MatchRow - 1) - 5) {
    AnimTick = 0;
    RedrawBoard();
    audio::StopSound(audio::SoundLine);
    Refresh();
    AnimState = kSlideClockwise;
    AnimTick = 71;  // straight to the completed-slide branch
    return;
  }
  if (MatchDirection == kVertical) {
    const int k = DropRows(MatchRow, MatchLength);
    EraseArea(kCell * MatchCol, kBoardTop, kCell, kCell * (MatchRow + 3));
    for (int i = MatchRow + 2; i >= MatchRow; --i) {
      DrawBall(Board[MatchCol][i], kCell * MatchCol, kBoardTop + kCell * (i - k) + AnimTick);
    }
  }
  AnimTick = static_cast<std::int16_t>(AnimTick + kDropStep);
  Refresh();
}

// The pressed ball stands 3 pixels left or right; the phase is AnimTick / 30 rounded half
// to even, so it is right only at 30, 90, 150, 210 and 270.
void FrmMain::ShakeStep() {
  if (AnimTick > kShakeEnd) {
    AnimTick = 0;
    RedrawBoard();
    audio::StopSound(audio::SoundLine);
    Refresh();
    AnimState = kSlideClockwise;
    RevertPending = kFalse;
    TAnim.SetEnabled(false);
    SetEnabled(true);
    return;
  }
  const int phase = static_cast<int>(std::nearbyint(AnimTick / 30.0)) % 2;
  EraseArea(kCell * CenterCol, kBoardTop + kCell * CenterRow, kCell, kCell);
  gfx::fxBitBlt(Image(), kCell * CenterCol + (phase == 0 ? -kShakeWidth : kShakeWidth),
                kBoardTop + kCell * CenterRow, kCell, kCell,
                PicBall(Board[CenterCol][CenterRow]).Image(), 0, 0, gfx::SRCCOPY);
  AnimTick = static_cast<std::int16_t>(AnimTick + kShakeStep);
}

}  // namespace game

// SPDX-License-Identifier: MIT
// A press on the board: the player's only move.
#include <cmath>

#include "audio/sound_manager.h"
#include "game/frm_main.h"
#include "game/ring.h"

namespace game {
namespace {

constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;

bool InBoardPressArea(float x, float y) {
  return x >= 1 && x <= 600 && y >= 150 && y <= 750;
}

// The six inner columns and rows, without the first pixel column and row of that block.
bool InRingCentreArea(float x, float y) {
  return x >= 76 && x <= 524 && y >= 226 && y <= 674;
}

}  // namespace

void FrmMain::MouseDown(int button, int /*shift*/, float x, float y) {
  if (InBoardPressArea(x, y)) HideCursor();
  PressBoard(button, x, y);
}

void FrmMain::PressBoard(int button, float x, float y) {
  if (!InBoardPressArea(x, y)) return;
  const int col = static_cast<int>(std::floor(x / kCell));
  const int row = static_cast<int>(std::floor((y - kBoardTop) / kCell));
  // The area's last pixel column and row (x = 600, y = 750) lie just off the board.
  if (col >= kColumns || row >= kRows) return;
  AnimTick = 0;
  if (button != kLeftButton && button != kRightButton) return;
  CenterCol = static_cast<std::int16_t>(col);
  CenterRow = static_cast<std::int16_t>(row);
  RotateOrRefuse(button, x, y);
  TAnim.SetEnabled(true);
  SetEnabled(false);
}

// On a touch screen a cell's left half turns its ring as the left button does, the right
// half as the right button does.
int FrmMain::TapButton(float x, float /*y*/) const {
  const float inCell = x - std::floor(x / kCell) * kCell;
  return inCell < kCell / 2.0f ? kLeftButton : kRightButton;
}

void FrmMain::RotateOrRefuse(int button, float x, float y) {
  const bool mayRotate = Board[CenterCol][CenterRow] != kBonusKind && InRingCentreArea(x, y);
  if (!mayRotate) {
    AnimState = kShakeBall;
    audio::StartSound(audio::SoundRefuse);
    return;
  }
  if (button == kRightButton) {
    TurnRingClockwise(CenterCol, CenterRow);
  } else {
    TurnRingCounterclockwise(CenterCol, CenterRow);
  }
  RevertPending = kTrue;
  AnimState = button == kRightButton ? kSlideClockwise : kSlideCounterclockwise;
  audio::StartSound(audio::SoundTurn);
}

}  // namespace game

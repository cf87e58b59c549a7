// SPDX-License-Identifier: MIT
// The tick of TAnim: one small state machine keyed on AnimState.
#include "game/frm_main.h"

namespace game {

// Each test stands on its own, so a state that hands over to the next one within the
// tick (shrink to drop) lets that state's step run too. A completed slide ends the tick
// inside the line check.
void FrmMain::OnAnimTick() {
  if (AnimState == kSlideClockwise && SlideTick(kSlideClockwise)) return;
  if (AnimState == kSlideCounterclockwise && SlideTick(kSlideCounterclockwise)) return;
  if (AnimState == kShrinkLine) ShrinkStep();
  if (AnimState == kDropColumn) DropStep();
  if (AnimState == kShakeBall) ShakeStep();
  Refresh();
}

}  // namespace game

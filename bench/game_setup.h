// SPDX-License-Identifier: MIT
// The game screen the game benchmarks measure: plain coloured pictures (the benchmarks do
// not depend on the generated ones) in a private program folder, on the headless backend.
#pragma once

#include "game/frm_main.h"

namespace bench {

game::FrmMain& OpenBenchGame();

}  // namespace bench

// SPDX-License-Identifier: MIT
#include "game/ring.h"

#include "game/game_state.h"

namespace game {
namespace {

// The board's cell at a place of the ring around (centreCol, centreRow).
auto BoardRing(int centreCol, int centreRow) {
  return [centreCol, centreRow](int place) -> std::int16_t& {
    const CellOffset o = kRingOffsets[place];
    return Board[centreCol + o.dc][centreRow + o.dr];
  };
}

}  // namespace

void TurnRingClockwise(int centreCol, int centreRow) {
  RotateRingClockwise(BoardRing(centreCol, centreRow));
}

void TurnRingCounterclockwise(int centreCol, int centreRow) {
  RotateRingCounterclockwise(BoardRing(centreCol, centreRow));
}

}  // namespace game

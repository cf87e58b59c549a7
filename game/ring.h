// The ring of eight cells around a centre cell, and the two ways of turning it.
#pragma once

#include <array>

namespace game {

enum RingPlace { NW, N, NE, E, SE, S, SW, W };

struct CellOffset {
  int dc, dr;  // columns to the right, rows down
};

// The places in clockwise order on screen (rows grow downwards).
inline constexpr std::array<CellOffset, 8> kRingOffsets = {
    {{-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}}};

// Every ball of the ring moves one place clockwise (N to NE ... NW to N): the right button.
void TurnRingClockwise(int centreCol, int centreRow);
// Every ball moves one place counterclockwise (NE to N ... N to NW): the left button.
void TurnRingCounterclockwise(int centreCol, int centreRow);

}  // namespace game

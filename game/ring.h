// SPDX-License-Identifier: MIT
// The ring of eight cells around a centre cell, and the two ways of turning it.
#pragma once

#include <array>
#include <cstdint>

namespace game {

enum RingPlace { NW, N, NE, E, SE, S, SW, W };

struct CellOffset {
  int dc, dr;  // columns to the right, rows down
};

// The places in clockwise order on screen (rows grow downwards).
inline constexpr std::array<CellOffset, 8> kRingOffsets = {
    {{-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}}};

// The two turns of any ring, whose cell at a place is cell(place) (a std::int16_t&): the
// board's rings and the how-to-play screen's demonstration block turn alike.
template <class Cell>
void RotateRingClockwise(Cell cell) {
  const std::int16_t t = cell(NW);
  cell(NW) = cell(W);
  cell(W) = cell(SW);
  cell(SW) = cell(S);
  cell(S) = cell(SE);
  cell(SE) = cell(E);
  cell(E) = cell(NE);
  cell(NE) = cell(N);
  cell(N) = t;
}

template <class Cell>
void RotateRingCounterclockwise(Cell cell) {
  const std::int16_t t = cell(NW);
  cell(NW) = cell(N);
  cell(N) = cell(NE);
  cell(NE) = cell(E);
  cell(E) = cell(SE);
  cell(SE) = cell(S);
  cell(S) = cell(SW);
  cell(SW) = cell(W);
  cell(W) = t;
}

// Every ball of the ring moves one place clockwise (N to NE ... NW to N): the right button.
void TurnRingClockwise(int centreCol, int centreRow);
// Every ball moves one place counterclockwise (NE to N ... N to NW): the left button.
void TurnRingCounterclockwise(int centreCol, int centreRow);

}  // namespace game

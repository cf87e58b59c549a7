// SPDX-License-Identifier: MIT
#include <algorithm>
#include <random>

#include "game/game_state.h"

namespace game {

std::mt19937& RandomGenerator() {
  // Seeded once: re-seeding from a coarse clock before every ball would give every ball
  // of a deal the same kind.
  static std::mt19937 generator{std::random_device{}()};
  return generator;
}

void SeedRandom(std::uint32_t seed) {
  RandomGenerator().seed(seed);
}

namespace {

int CountBonusBalls() {
  int count = 0;
  for (const auto& column : Board)
    for (const std::int16_t kind : column)
      if (kind == kBonusKind) ++count;
  return count;
}

}  // namespace

int NewBallKind() {
  const int cnt = 1 + CountBonusBalls();
  const double r = std::generate_canonical<double, 32>(RandomGenerator());
  const int kinds = cnt > RankTier ? 6 : 7;
  // generate_canonical may round up to 1.0 on some libraries; keep the kind in range.
  return std::min(int(r * kinds), kinds - 1);
}

}  // namespace game

// SPDX-License-Identifier: MIT
#include <algorithm>
#include <array>

#include <gtest/gtest.h>

#include "game/game_state.h"

namespace game {
namespace {

class NewBallKindTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSharedState();
    SeedRandom(20261209);
  }
  void TearDown() override { ResetSharedState(); }

  // How often each kind comes out of n draws.
  static std::array<int, 7> Counts(int n) {
    std::array<int, 7> counts{};
    for (int i = 0; i < n; ++i) {
      const int kind = NewBallKind();
      EXPECT_TRUE(kind >= 0 && kind <= 6) << kind;
      if (kind >= 0 && kind <= 6) ++counts[kind];
    }
    return counts;
  }
  static double ChiSquare(const std::array<int, 7>& counts, int kinds, int n) {
    const double expected = double(n) / kinds;
    double sum = 0;
    for (int k = 0; k < kinds; ++k)
      sum += (counts[k] - expected) * (counts[k] - expected) / expected;
    return sum;
  }
};

TEST_F(NewBallKindTest, TierZeroNeverMakesBonusBalls) {
  EXPECT_EQ(Counts(5000)[kBonusKind], 0);
}

TEST_F(NewBallKindTest, BonusBallsStopWhenTierManyStandAnywhereOnTheBoard) {
  RankTier = 2;
  Board[0][7] = kBonusKind;  // an old ball in a corner counts as much as a new one
  Board[7][0] = kBonusKind;
  EXPECT_EQ(Counts(5000)[kBonusKind], 0);
  Board[7][0] = 3;
  EXPECT_GT(Counts(5000)[kBonusKind], 0);
}

TEST_F(NewBallKindTest, CountsTheBoardAsItStandsAtEachCall) {
  RankTier = 1;
  int bonus = 0;
  for (int i = 0; i < 2000 && bonus == 0; ++i) {
    const int kind = NewBallKind();
    if (kind == kBonusKind) {
      bonus = 1;
      Board[4][4] = std::int16_t(kind);
    }
  }
  ASSERT_EQ(bonus, 1);
  EXPECT_EQ(Counts(5000)[kBonusKind], 0);
}

// Chi-square with a fixed seed; the limits are the 0.1% points for 6 and 5 degrees of freedom.
TEST_F(NewBallKindTest, SevenKindsEquallyLikelyBelowTheTier) {
  RankTier = 9;
  const int n = 70000;
  EXPECT_LT(ChiSquare(Counts(n), 7, n), 22.46);
}

TEST_F(NewBallKindTest, SixKindsEquallyLikelyAtTheTier) {
  const int n = 70000;
  const auto counts = Counts(n);
  EXPECT_EQ(counts[kBonusKind], 0);
  EXPECT_LT(ChiSquare(counts, 6, n), 20.52);
}

TEST_F(NewBallKindTest, SeedMakesTheSequenceRepeatable) {
  std::array<int, 20> first{}, second{};
  SeedRandom(7);
  for (int& kind : first) kind = NewBallKind();
  SeedRandom(7);
  for (int& kind : second) kind = NewBallKind();
  EXPECT_EQ(first, second);
  // One generator drawn in turn, not re-seeded per ball: a deal is not all one kind.
  EXPECT_NE(std::count(first.begin(), first.end(), first[0]), int(first.size()));
}

}  // namespace
}  // namespace game

// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "game/game_state.h"

namespace game {
namespace {

TEST(GroupDigits, SeparatesGroupsOfThreeWithCommaAndSpace) {
  EXPECT_EQ(GroupDigits(0), "0");
  EXPECT_EQ(GroupDigits(300), "300");
  EXPECT_EQ(GroupDigits(999), "999");
  EXPECT_EQ(GroupDigits(1000), "1, 000");
  EXPECT_EQ(GroupDigits(123456), "123, 456");
  EXPECT_EQ(GroupDigits(1234567), "1, 234, 567");
  EXPECT_EQ(GroupDigits(3800000), "3, 800, 000");
  EXPECT_EQ(GroupDigits(2147483647), "2, 147, 483, 647");
}

TEST(RankThresholds, FilledWithTheTwentyFiveRankStarts) {
  FillRankThresholds();
  EXPECT_EQ(RankThresholds[0], 0);
  EXPECT_EQ(RankThresholds[1], 11000);
  EXPECT_EQ(RankThresholds[9], 301000);
  EXPECT_EQ(RankThresholds[18], 2803000);
  EXPECT_EQ(RankThresholds[24], 10000000);
  for (int k = 1; k < kRankCount; ++k) EXPECT_LT(RankThresholds[k - 1], RankThresholds[k]);
}

}  // namespace
}  // namespace game

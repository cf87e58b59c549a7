// SPDX-License-Identifier: MIT
// Thousands of random presses through the real window and timers on the virtual clock,
// with the game's invariants checked after every tick of either timer.
#include <random>

#include "platform/headless/headless.h"
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

// The sanitizer build runs every tick several times slower: a third of the presses there.
#ifdef __SANITIZE_ADDRESS__
constexpr int kPressDivisor = 3;
#else
constexpr int kPressDivisor = 1;
#endif

class SoakTest : public GameTest {
 protected:
  void CheckInvariants(const char* where) {
    ++checks_;
    for (int c = 0; c < kColumns; ++c) {
      for (int r = 0; r < kRows; ++r) {
        ASSERT_GE(Board[c][r], 0) << where;
        ASSERT_LE(Board[c][r], 6) << where;
      }
    }
    ASSERT_EQ(game_->Enabled(), !game_->TAnim.Enabled()) << where << " state " << AnimState;
    ASSERT_GE(Score, lastScore_) << where;
    lastScore_ = Score;
    ASSERT_LE(CountKind(kBonusKind), std::max<int>(RankTier, crystalsBeforeMove_)) << where;
    ASSERT_GE(RankIndex, 0);
    ASSERT_LT(RankIndex, kRankCount);
  }
  void WatchTimers() {
    for (platform::Timer* timer : {&game_->TAnim, &game_->TOther}) {
      auto tick = timer->OnTick;
      timer->OnTick = [this, tick] {
        tick();
        if (winShown_ == 0) CheckInvariants("tick");
      };
    }
  }
  void Play(int presses, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> x(-10, 620), y(140, 760);
    std::uniform_int_distribution<int> button(1, 4);
    for (int i = 0; i < presses && winShown_ == 0; ++i) {
      ASSERT_TRUE(game_->Enabled());
      crystalsBeforeMove_ = CountKind(kBonusKind);
      // Most presses land on inner cells, some anywhere around the board.
      const bool inner = i % 4 != 0;
      const float px = inner ? 76 + (random() % 449) : x(random);
      const float py = inner ? 226 + (random() % 449) : y(random);
      platform::headless::Press(*game_, button(random), px, py);
      CheckInvariants("press");
      RunMove();
      platform::headless::AdvanceMs(kTickMs * 3);
    }
  }
  int checks_ = 0;
  std::int32_t lastScore_ = 0;
  int crystalsBeforeMove_ = 0;
};

TEST_F(SoakTest, NewGameThousandsOfPresses) {
  OpenGame();
  WatchTimers();
  Play(3000 / kPressDivisor, 7);
  EXPECT_GT(checks_, 30000 / kPressDivisor);
  EXPECT_GT(Score, 0);
}

TEST_F(SoakTest, HighTierGameWithCrystals) {
  WriteSave(60000, 0, 11, 6);
  SeedRandom(99);
  OpenGame();
  lastScore_ = Score;
  WatchTimers();
  Play(1500 / kPressDivisor, 11);
  EXPECT_GT(Score, 60000);
}

}  // namespace
}  // namespace game::testing

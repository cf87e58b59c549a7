// SPDX-License-Identifier: MIT
// The line check: scoring and popups, turn back, chain lines.
#include <limits>

#include "game/ring.h"
#include "platform/headless/headless.h"
#include "storage/player_file.h"
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

using platform::headless::Press;

class LineCheckTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    OpenGame();
    SetLineFreeBoard();
    ShowBoard();
    // Checks run here directly are followed by ticks that redraw the last press's ring.
    game_->CenterCol = game_->CenterRow = 4;
  }
  void ExpectMatch(int col, int row, int length, int direction, int kind) {
    EXPECT_EQ(AnimState, kShrinkLine);
    EXPECT_EQ(MatchCol, col);
    EXPECT_EQ(MatchRow, row);
    EXPECT_EQ(MatchLength, length);
    EXPECT_EQ(MatchDirection, direction);
    EXPECT_EQ(MatchKind, kind);
  }
};

// The line-free board is (c + 2r) mod 6; these boards put lines into it.
// The board's rules find and refill the line (their own tests); the check records it for
// the clearing, scores it and starts the animation.
TEST_F(LineCheckTest, VerticalFiveScoresItsTopFourAndRefillsAtOnce) {
  for (int r = 2; r <= 6; ++r) Board[5][r] = 4;
  const std::int16_t above = Board[5][1];
  RevertPending = kTrue;
  game_->CheckLines(1);
  ExpectMatch(5, 2, 4, 1, 4);
  EXPECT_EQ(Board[5][5], above);  // already refilled
  EXPECT_EQ(Score, 6);
  EXPECT_EQ(PopupKind, 2);
  EXPECT_EQ(game_->lblScore.Caption(), "600");
  EXPECT_EQ(RevertPending, kFalse);
  EXPECT_FALSE(game_->Enabled());
  EXPECT_TRUE(game_->TAnim.Enabled());
}

TEST_F(LineCheckTest, CrystalLinesScoreMoreAndShowTheBigPopups) {
  for (int r = 0; r < 4; ++r) Board[3][r] = kBonusKind;
  game_->CheckLines(1);
  EXPECT_EQ(Score, 15);
  EXPECT_EQ(PopupKind, 4);
  SetLineFreeBoard();
  for (int c = 5; c < 8; ++c) Board[c][7] = kBonusKind;  // at the right edge
  game_->CheckLines(1);
  EXPECT_EQ(Score, 25);
  EXPECT_EQ(PopupKind, 3);
  EXPECT_EQ(game_->lblScore.Caption(), "2, 500");
  EXPECT_TRUE(game_->TOther.Enabled());
}

TEST_F(LineCheckTest, NoLineAfterTheTurnTurnsTheRingBack) {
  Score = 111;  // past rank 1, for the rank step that ends the move
  std::int16_t before[kColumns][kRows];
  std::copy(&Board[0][0], &Board[0][0] + 64, &before[0][0]);
  game_->CenterCol = 3;
  game_->CenterRow = 3;
  TurnRingClockwise(3, 3);
  RevertPending = kTrue;
  game_->AnimTick = 0;
  game_->CheckLines(1);
  EXPECT_TRUE(std::equal(&Board[0][0], &Board[0][0] + 64, &before[0][0]));
  EXPECT_EQ(AnimState, kSlideCounterclockwise);
  EXPECT_EQ(RevertPending, kFalse);
  EXPECT_TRUE(game_->TAnim.Enabled());
  EXPECT_FALSE(game_->Enabled());
  EXPECT_EQ(RankIndex, 0);
  game_->CheckLines(2);  // the way back found nothing either: the move ends
  EXPECT_FALSE(game_->TAnim.Enabled());
  EXPECT_TRUE(game_->Enabled());
  EXPECT_EQ(AnimState, kSlideCounterclockwise);
  EXPECT_EQ(RankIndex, 1);
}

// The turn breaks a line the deal left and makes none: the turn back restores it, and the
// check after the slide back scores it as the move's first line, not as a chain line.
TEST_F(LineCheckTest, ALineTheTurnBrokeIsScoredAfterTheTurnBack) {
  Board[3][1] = Board[3][2] = Board[3][3] = 4;  // NW and W of the ring around (4, 3)
  Press(*game_, 2, 4 * 75 + 10, 150 + 3 * 75 + 10);
  RunAnimTicks(16);
  ASSERT_EQ(AnimState, kSlideCounterclockwise);
  EXPECT_EQ(Score, 0);
  RunAnimTicks(16);
  ExpectMatch(3, 1, 3, 1, 4);
  EXPECT_EQ(Score, 3);
  EXPECT_EQ(Hits, 0);
  EXPECT_EQ(PopupKind, 1);
}

TEST_F(LineCheckTest, AnOldLineKeepsTheTurnEvenThoughTheTurnMadeNoLine) {
  Board[7][0] = Board[7][1] = Board[7][2] = 4;    // a line the deal left, far from the ring
  Press(*game_, 2, 150 + 10, 150 + 75 * 5 + 10);  // centre (2, 5)
  std::int16_t turned[kColumns][kRows];
  std::copy(&Board[0][0], &Board[0][0] + 64, &turned[0][0]);
  RunMove();
  for (int c = 1; c <= 3; ++c) {
    for (int r = 4; r <= 6; ++r) EXPECT_EQ(Board[c][r], turned[c][r]) << c << "," << r;
  }
  EXPECT_GE(Score, 3);
  EXPECT_TRUE(game_->Enabled());
  EXPECT_EQ(ChainActive, kFalse);
}

// Clearing the vertical three of 0s in column 3 brings the 1 of row 4 down into row 7,
// next to two more 1s.
constexpr std::array<const char*, 8> kChainBoard = {"01234501", "23450123", "45012345", "01234501",
                                                    "23410123", "45002345", "01204501", "21100123"};

TEST_F(LineCheckTest, ChainLinesCountHitsAndShowTheDoubleHitPopup) {
  SetBoard(kChainBoard);
  game_->CheckLines(1);
  ExpectMatch(3, 5, 3, 1, 0);
  EXPECT_EQ(PopupKind, 1);
  EXPECT_EQ(Hits, 0);
  int ticks = 0;
  while (AnimState != kSlideClockwise && ticks++ < 200) RunAnimTicks(1);
  RunAnimTicks(1);  // the cascade check
  ExpectMatch(1, 7, 3, 0, 1);
  EXPECT_EQ(Hits, 1);
  EXPECT_EQ(PopupKind, 0);
  EXPECT_EQ(game_->lblHits.Caption(), "1");
  EXPECT_EQ(Score, 6);
  RunMove();
  EXPECT_GE(Hits, 1);
  EXPECT_EQ(ChainActive, kFalse);
  EXPECT_TRUE(game_->Enabled());
}

// A save may hold the largest values: the counters stop there, the labels keep showing
// them and the table entry is still made.
TEST_F(LineCheckTest, CountersStopAtTheirLimits) {
  Hits = std::numeric_limits<std::int32_t>::max();
  Score = storage::kMaxScore - 1;
  SetBoard(kChainBoard);
  game_->CheckLines(1);
  EXPECT_EQ(Score, storage::kMaxScore);
  EXPECT_EQ(game_->lblScore.Caption(), "2, 147, 483, 600");
  while (AnimState != kSlideClockwise) RunAnimTicks(1);
  RunAnimTicks(1);  // the chain line
  EXPECT_EQ(Hits, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(game_->lblHits.Caption(), "2147483647");
  RunMove();
  platform::headless::Click(*game_, 846 + 50, 652 + 40);
  EXPECT_EQ(HighScoreValues[0], 2147483600);
}

}  // namespace
}  // namespace game::testing

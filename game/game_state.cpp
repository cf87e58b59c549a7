// SPDX-License-Identifier: MIT
#include "game/game_state.h"

#include <algorithm>

#include "game/screen_links.h"

namespace game {

std::int16_t Board[kColumns][kRows] = {};
std::int32_t Score = 0;
std::int32_t Hits = 0;
Flag ChainActive = kFalse;
std::int16_t MusicSlot = 0;
std::int16_t PopupKind = 0;
float PopupScale = 0.0f;
std::int16_t PopupTick = 0;
std::array<std::int32_t, kHighScoreCount> HighScoreValues{};
std::array<std::string, kHighScoreCount> HighScoreNames;
Flag FirstRunDone = kFalse;
std::int16_t RankTier = 0;
std::int16_t RankIndex = 0;
std::array<std::int32_t, kRankCount> RankThresholds{};
std::string PlayerName;
std::int16_t AnimState = 0;
std::int16_t MatchCol = 0;
std::int16_t MatchRow = 0;
std::int16_t MatchLength = 0;
std::int16_t MatchDirection = 0;
std::int16_t MatchKind = 0;
Flag RevertPending = kFalse;

void ResetSharedState() {
  std::fill(&Board[0][0], &Board[0][0] + kColumns * kRows, std::int16_t{0});
  Score = Hits = 0;
  ChainActive = RevertPending = FirstRunDone = kFalse;
  MusicSlot = PopupKind = PopupTick = 0;
  PopupScale = 0.0f;
  HighScoreValues.fill(0);
  HighScoreNames.fill("");
  RankTier = RankIndex = 0;
  RankThresholds.fill(0);
  PlayerName.clear();
  AnimState = MatchCol = MatchRow = MatchLength = MatchDirection = MatchKind = 0;
  SetBoardCanvas({});
  Links() = {};
}

void FillRankThresholds() {
  RankThresholds = {0,       11000,   22000,   43000,   65000,   83000,   128000,  166000,  220000,
                    301000,  350000,  445000,  600000,  806000,  1000000, 1400000, 1800000, 2300000,
                    2803000, 3300000, 4604000, 5900000, 6407000, 8008000, 10000000};
}

std::string GroupDigits(std::int32_t value) {
  const std::string digits = std::to_string(value);
  const std::size_t length = digits.size();
  std::string result;
  // Built from the right: a separator goes in front of the 3rd, 6th and 9th digit when
  // more digits follow to its left.
  for (std::size_t i = 0; i < length; ++i) {
    const char d = digits[length - 1 - i];
    const bool separate =
        (i == 2 && length > 3) || (i == 5 && length > 6) || (i == 8 && length > 9);
    result.insert(0, separate ? std::string(", ") + d : std::string(1, d));
  }
  return result;
}

}  // namespace game

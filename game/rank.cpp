// SPDX-License-Identifier: MIT
// Promotion through the 25 ranks and the progress bar towards the next one.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "audio/sound_manager.h"
#include "game/fixed_point.h"
#include "game/frm_main.h"

namespace game {
namespace {

constexpr int kLastRank = kRankCount - 1;
constexpr int kBarFullTwips = 2480;

// Applied in ascending order, each overriding the one before.
constexpr std::pair<int, std::int16_t> kTierSteps[] = {{1, 1},  {3, 2},  {4, 3},  {6, 4}, {8, 5},
                                                       {10, 6}, {13, 7}, {17, 8}, {21, 9}};

}  // namespace

// At most one promotion per call, and only when the points are strictly above the next
// rank's threshold. At the last rank the game is won instead.
void FrmMain::AdvanceRank() {
  if (RankIndex == kLastRank) {
    ShowWinScreen();
    return;
  }
  if (std::int64_t{Score} * 100 > RankThresholds[RankIndex + 1]) {
    picMR(RankIndex).Hide();
    ++RankIndex;
    picMR(RankIndex).Show();
    picMR(RankIndex).Move(832, 222);
    audio::StartSound(audio::SoundRankUp);
    for (const auto& [rank, tier] : kTierSteps) {
      if (RankIndex >= rank) RankTier = tier;
    }
  }
  ShowRankProgress();
}

void FrmMain::ShowRankProgress() {
  if (RankIndex < kLastRank) {
    const double from = RankThresholds[RankIndex];
    const double span = RankThresholds[RankIndex + 1] - from;
    // Without a span (thresholds not filled) the fraction cannot be formed and keeps its value.
    if (span != 0) {
      if (const auto fraction = FixedFromRatio((std::int64_t{Score} * 100 - from) / span)) {
        // A score below its rank's threshold or past the next one (a hand-edited save)
        // shows an empty or a full bar, never one outside its frame.
        RankFraction = std::clamp<std::int64_t>(*fraction, 0, kTenThousandths);
      }
    }
  }
  // The width is exact in ten-thousandths of 2480 twips, then taken as single precision.
  const float widthTwips =
      static_cast<float>(static_cast<double>(RankFraction * kBarFullTwips) / kTenThousandths);
  sProcess.SetWidth(static_cast<int>(std::lrint(widthTwips)));
  lblPercent.SetCaption(std::to_string(DivideRoundHalfEven(RankFraction, 100)) + "%");
}

}  // namespace game

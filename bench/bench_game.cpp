// SPDX-License-Identifier: MIT
// The game screen's costs: the heaviest animation tick, and whole moves on the virtual
// clock of the headless backend.
#include <benchmark/benchmark.h>

#include "bench/game_setup.h"
#include "platform/headless/headless.h"
#include "platform/loop/system.h"

namespace {

// The end of a drop: the whole board erased and drawn again, then a frame composed.
void BM_HeaviestTick(benchmark::State& state) {
  game::FrmMain& game = bench::OpenBenchGame();
  gfx::Surface frame;  // a backend keeps its frame from one present to the next
  for (auto _ : state) {
    game::RedrawBoard();
    game.ComposeInto(frame);
    benchmark::DoNotOptimize(frame.at(300, 400));
  }
}
BENCHMARK(BM_HeaviestTick)->Unit(benchmark::kMicrosecond);

// One move: a right press whose ring slide ends in a line check that finds a vertical
// three (kept turn), 18 shrink frames, the drop, the cascade check and the end of the move.
void BM_WholeMove(benchmark::State& state) {
  game::FrmMain& game = bench::OpenBenchGame();
  std::int64_t ticks = 0;
  for (auto _ : state) {
    game::Score = 0;  // stay far from the last rank, where the window would close
    for (int c = 0; c < game::kColumns; ++c) {
      for (int r = 0; r < game::kRows; ++r) {
        game::Board[c][r] = static_cast<std::int16_t>((c + 2 * r) % 6);
      }
    }
    game::Board[6][3] = game::Board[6][4] = game::Board[6][5] = game::kBonusKind;
    platform::headless::Press(game, 2, 2 * 75 + 30, 150 + 3 * 75 + 30);
    while (game.TAnim.Enabled()) {
      platform::headless::RunTicks(game.TAnim, 1);
      ++ticks;
    }
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["ticks/move"] =
      benchmark::Counter(static_cast<double>(ticks) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_WholeMove)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  platform::Shutdown();  // the forms go before the backend they live on
  return 0;
}

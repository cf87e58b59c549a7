// SPDX-License-Identifier: MIT
// The heaviest tick of the game screen (the end of a drop: RedrawBoard, then a composed
// frame, as BM_HeaviestTick in bench_game) timed on the real clock, for builds without
// Google Benchmark: the Windows one, run under Wine. Not a test: it prints figures.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/game_setup.h"
#include "platform/loop/system.h"

int main() {
  using Clock = std::chrono::steady_clock;
  constexpr int kWarmUp = 20, kRuns = 500;
  game::FrmMain& game = bench::OpenBenchGame();
  gfx::Surface frame;  // a backend keeps its frame from one present to the next
  std::vector<double> ms;
  for (int run = 0; run < kWarmUp + kRuns; ++run) {
    const auto start = Clock::now();
    game::RedrawBoard();
    game.ComposeInto(frame);
    const double took = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (run >= kWarmUp) ms.push_back(took);
  }
  std::sort(ms.begin(), ms.end());
  std::printf("heaviest tick (%d runs): median %.3f ms, fastest %.3f ms, slowest %.3f ms\n", kRuns,
              ms[ms.size() / 2], ms.front(), ms.back());
  platform::Shutdown();  // the forms go before the backend they live on
  return 0;
}

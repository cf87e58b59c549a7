// SPDX-License-Identifier: MIT
// Raster throughput: a full-window SRCCOPY against memcpy of the same bytes, and the two
// copies of a ball drawing in destination pixels per second.
#include <benchmark/benchmark.h>

#include <cstring>

#include "game/game_state.h"
#include "gfx/raster.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr std::int64_t kBytes = std::int64_t(kWidth) * kHeight * sizeof(gfx::Pixel);

void BM_Memcpy(benchmark::State& state) {
  gfx::Surface src(kWidth, kHeight, gfx::Rgb(1, 2, 3));
  gfx::Surface dst(kWidth, kHeight);
  for (auto _ : state) {
    std::memcpy(dst.row(0), src.row(0), kBytes);
    benchmark::DoNotOptimize(dst.row(0));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kBytes);
}
BENCHMARK(BM_Memcpy);

void BM_SrcCopyFullWindow(benchmark::State& state) {
  gfx::Surface src(kWidth, kHeight, gfx::Rgb(1, 2, 3));
  gfx::Surface dst(kWidth, kHeight);
  for (auto _ : state) {
    gfx::fxBitBlt(dst, 0, 0, kWidth, kHeight, src, 0, 0, gfx::SRCCOPY);
    benchmark::DoNotOptimize(dst.row(0));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kBytes);
}
BENCHMARK(BM_SrcCopyFullWindow);

// DrawBall over every cell of the board in turn; items are destination pixels.
void BM_DrawBall(benchmark::State& state) {
  gfx::Surface window(kWidth, kHeight);
  gfx::Surface ball(game::kCell, game::kCell);
  ball.fillRect(10, 10, 55, 55, gfx::Rgb(200, 40, 40));
  gfx::Surface empty(962, 716);
  game::BoardCanvas canvas;
  canvas.target = &window;
  canvas.balls.fill(&ball);
  canvas.empty = &empty;
  game::SetBoardCanvas(canvas);
  int cell = 0;
  for (auto _ : state) {
    const int c = cell % game::kColumns, r = (cell / game::kColumns) % game::kRows;
    game::DrawBall(0, game::kCell * c, game::kBoardTop + game::kCell * r);
    ++cell;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * game::kCell * game::kCell);
  game::SetBoardCanvas(game::BoardCanvas{});
}
BENCHMARK(BM_DrawBall);

}  // namespace

BENCHMARK_MAIN();

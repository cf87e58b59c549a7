// SPDX-License-Identifier: MIT
// Frame composition: a 1024 x 768 window with a background picture and the kind of
// controls the game screen carries, composed alone and composed and presented (headless).
#include <benchmark/benchmark.h>

#include <string>

#include "platform/headless/headless.h"
#include "platform/loop/system.h"
#include "platform/ui/form.h"

namespace {

using namespace platform;

class GameLike : public Form {
 public:
  GameLike() {
    gfx::Surface background(1024, 768);
    for (int y = 0; y < 768; ++y)
      for (int x = 0; x < 1024; ++x) background.at(x, y) = gfx::Rgb(x, y, x ^ y);
    SetPicture(background);
    SetSizeTwips(15360, 11520);
    insignia.SetPicture(gfx::Surface(160, 140, gfx::Rgb(200, 180, 20)));
    insignia.Move(832, 222);
    for (PictureBox* box : {&frame1, &frame2}) box->SetBorder(true);
    frame1.Move(646, 222, 157, 21);
    frame2.Move(646, 282, 157, 21);
    frame3.Move(642, 340, 165, 21);
    frame3.SetScaleTwips(true);
    bar.Move(0, 0, 1240, 330);
    bar.SetFillColor(gfx::Rgb(10, 154, 215));
    for (Label* label : {&score, &hits}) {
      label->Move(10, 2, 135, 19);
      label->SetFont("Verdana", 10.5, true);
      label->SetAlignment(Alignment::Centre);
    }
    percent.Move(900, 2 * 15, 39 * 15, 17 * 15);
    percent.SetFont("Verdana", 10.5, true);
    score.SetCaption("3, 800, 000");
    hits.SetCaption("127");
    percent.SetCaption("50%");
    music.Move(678, 654, 85, 93);
    exitArea.Move(846, 652, 107, 95);
  }
  PictureBox insignia{*this}, frame1{*this}, frame2{*this}, frame3{*this};
  Label score{*this, &frame1}, hits{*this, &frame2};
  Shape bar{*this, &frame3};
  Label percent{*this, &frame3};
  platform::Image music{*this}, exitArea{*this};
};

void BM_ComposeFrame(benchmark::State& state) {
  headless::Init();
  GameLike form;
  gfx::Surface frame;
  form.ComposeInto(frame);  // the captions are rendered once, then cached
  for (auto _ : state) {
    form.ComposeInto(frame);
    benchmark::DoNotOptimize(frame.row(0));
  }
  Shutdown();
}
BENCHMARK(BM_ComposeFrame)->Unit(benchmark::kMicrosecond);

void BM_ComposeAndPresentHeadless(benchmark::State& state) {
  headless::Init();
  GameLike form;
  form.Show();
  for (auto _ : state) {
    form.Refresh();
    DoEvents();
  }
  state.counters["presents"] = headless::PresentCount();
  Shutdown();
}
BENCHMARK(BM_ComposeAndPresentHeadless)->Unit(benchmark::kMicrosecond);

// A score label that changes every frame: the caption is rendered anew each time.
void BM_ComposeWithChangingCaption(benchmark::State& state) {
  headless::Init();
  GameLike form;
  gfx::Surface frame;
  int n = 0;
  for (auto _ : state) {
    form.score.SetCaption(std::to_string(++n));
    form.ComposeInto(frame);
    benchmark::DoNotOptimize(frame.row(0));
  }
  Shutdown();
}
BENCHMARK(BM_ComposeWithChangingCaption)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

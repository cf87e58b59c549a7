// SPDX-License-Identifier: MIT
#include "platform/backend.h"
#include "platform_test.h"

using namespace platform;

namespace {

class Ticking : public Form {
 public:
  Ticking() {
    SetClientSize(10, 10);
    fast.OnTick = [this] { ++fastTicks; };
    slow.OnTick = [this] { ++slowTicks; };
  }
  Timer fast{*this, 1, false};
  Timer slow{*this, 20, false};
  int fastTicks = 0, slowTicks = 0;
};

class TimersTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    form = &Instance<Ticking>();
    form->Show();
  }
  Ticking* form = nullptr;
};

TEST_F(TimersTest, ShortIntervalsRunAtTheClassicTimerTick) {
  form->fast.SetEnabled(true);
  form->slow.SetEnabled(true);
  headless::AdvanceMs(1000);
  EXPECT_EQ(form->fastTicks, 64);  // a 16-tick slide takes a quarter of a second
  EXPECT_EQ(form->slowTicks, 50);
  EXPECT_DOUBLE_EQ(form->fast.PeriodMs(), kMinTimerPeriodMs);
}

TEST_F(TimersTest, ALateTimerFiresOnceNotInABurst) {
  form->slow.SetEnabled(true);
  const double start = NowMs();
  EXPECT_EQ(detail::FireDueTimers(start + 1000), 1);  // fifty periods late
  EXPECT_EQ(form->slowTicks, 1);
  EXPECT_DOUBLE_EQ(form->slow.DueMs(), start + 1020);
  EXPECT_EQ(detail::FireDueTimers(start + 1010), 0);
}

TEST_F(TimersTest, EnablingRestartsThePeriod) {
  form->slow.SetEnabled(true);
  headless::AdvanceMs(15);
  form->slow.SetEnabled(false);
  form->slow.SetEnabled(true);
  headless::AdvanceMs(15);
  EXPECT_EQ(form->slowTicks, 0);
  headless::AdvanceMs(5);
  EXPECT_EQ(form->slowTicks, 1);
}

TEST_F(TimersTest, ATickMayStopItsOwnTimer) {
  form->slow.OnTick = [this] {
    ++form->slowTicks;
    form->slow.SetEnabled(false);
  };
  form->slow.SetEnabled(true);
  headless::AdvanceMs(200);
  EXPECT_EQ(form->slowTicks, 1);
}

TEST_F(TimersTest, HiddenFormsTickAndClosedFormsNeverDo) {
  form->slow.SetEnabled(true);
  form->Hide();
  headless::AdvanceMs(100);
  EXPECT_EQ(form->slowTicks, 5);
  Timer& slow = form->slow;
  form->Close();
  slow.SetEnabled(true);  // the form is gone; its timer stays silent
  EXPECT_EQ(detail::FireDueTimers(NowMs() + 1000), 0);
  headless::AdvanceMs(100);
  EXPECT_EQ(detail::NextTimerDueMs(), detail::kNoTimerDue);
}

TEST_F(TimersTest, TimersOfAFormStartWhenItLoads) {
  struct Later : Form {
    Timer timer{*this, 100, true};
    int ticks = 0;
    Later() {
      timer.OnTick = [this] { ++ticks; };
    }
  };
  Later& later = Instance<Later>();
  headless::AdvanceMs(250);
  EXPECT_EQ(later.ticks, 0);
  later.Show();
  headless::AdvanceMs(99);
  EXPECT_EQ(later.ticks, 0);
  headless::AdvanceMs(1);
  EXPECT_EQ(later.ticks, 1);
}

TEST_F(TimersTest, TicksRunInDueOrderAndRunTicksCountsThem) {
  std::vector<char> order;
  form->fast.OnTick = [&] { order.push_back('f'); };
  form->slow.OnTick = [&] { order.push_back('s'); };
  form->slow.SetEnabled(true);
  form->fast.SetEnabled(true);
  headless::AdvanceMs(32);
  EXPECT_EQ(order, (std::vector<char>{'f', 's', 'f'}));
  headless::RunTicks(form->slow, 3);
  EXPECT_DOUBLE_EQ(NowMs(), 80);
}

}  // namespace

// SPDX-License-Identifier: MIT
#include "platform_test.h"

using namespace platform;

namespace {

int destroyed = 0;

class Screen : public Form {
 public:
  Screen() { SetClientSize(100, 80); }
  ~Screen() override { ++destroyed; }
  int loads = 0, unloads = 0;
  bool hideInLoad = false;
  Timer timer{*this, 20, false};
  platform::Image area{*this};

 protected:
  void Load() override {
    ++loads;
    if (hideInLoad) Hide();
  }
  void Unload() override { ++unloads; }
};

class SelfClosing : public Form {
 public:
  SelfClosing() {
    SetClientSize(50, 50);
    timer.OnTick = [this] {
      Close();
      // Still safe: the object lives until this handler has returned.
      ticksAfterClose++;
      EXPECT_EQ(destroyedBefore, destroyed);
    };
  }
  ~SelfClosing() override { ++destroyed; }
  Timer timer{*this, 10, true};
  int ticksAfterClose = 0;
  int destroyedBefore = destroyed;
};

class Refusing : public Form {
 protected:
  void QueryUnload() override {}
};

class LifecycleTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    destroyed = 0;
  }
};

TEST_F(LifecycleTest, ShowLoadsOnceAndHideKeepsState) {
  Screen& screen = Instance<Screen>();
  EXPECT_FALSE(screen.Loaded());
  screen.Show();
  screen.Image().at(5, 5) = 0x123456;
  screen.Hide();
  EXPECT_FALSE(screen.Visible());
  screen.Show();
  EXPECT_EQ(&screen, &Instance<Screen>());
  EXPECT_EQ(screen.loads, 1);
  EXPECT_TRUE(screen.Visible());
  EXPECT_EQ(screen.Image().at(5, 5), 0x123456u);
}

TEST_F(LifecycleTest, CloseUnloadsAndTheNextInstanceIsNew) {
  Screen& first = Instance<Screen>();
  first.Show();
  first.timer.SetEnabled(true);
  first.Close();
  EXPECT_TRUE(first.Closing());
  EXPECT_FALSE(first.Visible());
  EXPECT_FALSE(first.timer.Enabled());
  EXPECT_EQ(first.unloads, 1);
  EXPECT_EQ(destroyed, 0);  // the caller may still hold it until the next event
  Screen& second = Instance<Screen>();
  EXPECT_NE(&first, &second);
  EXPECT_FALSE(second.Loaded());
  second.Show();
  EXPECT_EQ(second.loads, 1);
  headless::AdvanceMs(1);
  EXPECT_EQ(destroyed, 1);
}

TEST_F(LifecycleTest, ClosingInsideOwnTimerTickDestroysAfterTheTick) {
  SelfClosing& form = Instance<SelfClosing>();
  form.Show();
  headless::AdvanceMs(16);
  EXPECT_EQ(destroyed, 1);
  headless::AdvanceMs(100);
  EXPECT_EQ(destroyed, 1);
}

TEST_F(LifecycleTest, ClosingInsideAClickHandler) {
  Screen& screen = Instance<Screen>();
  screen.Show();
  screen.area.Move(0, 0, 10, 10);
  bool after = false;
  screen.area.OnClick = [&] {
    screen.Close();
    after = screen.Closing() && destroyed == 0;
  };
  headless::Click(screen, 5, 5);
  EXPECT_TRUE(after);
  EXPECT_EQ(destroyed, 1);
}

TEST_F(LifecycleTest, FormHiddenInsideItsLoadIsNeverPresented) {
  Screen& screen = Instance<Screen>();
  screen.hideInLoad = true;
  screen.Show();
  headless::AdvanceMs(100);
  EXPECT_TRUE(screen.Loaded());
  EXPECT_FALSE(screen.Visible());
  EXPECT_EQ(headless::PresentCount(), 0);
}

TEST_F(LifecycleTest, RefreshesArePresentedOncePerPass) {
  Screen& screen = Instance<Screen>();
  screen.Show();
  headless::AdvanceMs(1);
  const int before = headless::PresentCount();
  screen.Refresh();
  screen.Refresh();
  screen.Refresh();
  DoEvents();
  EXPECT_EQ(headless::PresentCount(), before + 1);
  DoEvents();
  EXPECT_EQ(headless::PresentCount(), before + 1);
}

TEST_F(LifecycleTest, ImageStartsAsBackColourWithPicture) {
  Screen& screen = Instance<Screen>();
  gfx::Surface picture(10, 10, 0xFF0000);
  screen.SetPicture(picture);
  screen.SetBackColor(0x00FF00);
  EXPECT_EQ(screen.Image().at(2, 2), 0xFF0000u);
  EXPECT_EQ(screen.Image().at(50, 50), 0x00FF00u);
  screen.SetSizeTwips(15360, 11520);
  EXPECT_EQ(screen.ClientWidth(), 1024);
  EXPECT_EQ(screen.ClientHeight(), 768);
  EXPECT_EQ(screen.Image().at(1000, 700), 0x00FF00u);
  screen.Image().at(3, 3) = 0;
  screen.Cls();
  EXPECT_EQ(screen.Image().at(3, 3), 0xFF0000u);
}

TEST_F(LifecycleTest, EndProgramStopsTimersAndRunDestroysEveryFormInOrder) {
  Screen& screen = Instance<Screen>();
  screen.Show();
  int ticks = 0;
  screen.timer.OnTick = [&] {
    if (++ticks == 3) EndProgram();
  };
  screen.timer.SetEnabled(true);
  EXPECT_EQ(platform::Run(), 0);
  EXPECT_EQ(ticks, 3);
  EXPECT_TRUE(headless::Ended());
  EXPECT_EQ(destroyed, 1);
}

// By default a close request from the window system closes the form; once no window is
// left, the program ends. A form that answers otherwise keeps the program going.
TEST_F(LifecycleTest, CloseRequestsCloseByDefaultAndEndTheProgramWithTheLastWindow) {
  Screen& first = Instance<Screen>();
  first.Show();
  Screen second;
  second.Show();
  headless::RequestClose(first);
  EXPECT_EQ(destroyed, 1);  // closed, and gone once the request was handled
  EXPECT_FALSE(headless::Ended());
  Refusing refusing;
  refusing.Show();
  headless::RequestClose(refusing);
  EXPECT_TRUE(refusing.Visible());
  headless::RequestClose(second);
  EXPECT_FALSE(headless::Ended());  // the refusing form is still there
  refusing.Hide();
  second.Show();
  headless::RequestClose(second);
  EXPECT_TRUE(headless::Ended());
}

TEST_F(LifecycleTest, AFormTheCallerOwnsCanBeShownAgainAfterClose) {
  Screen screen;
  screen.Show();
  screen.Close();
  EXPECT_FALSE(screen.Visible());
  screen.Show();
  EXPECT_EQ(screen.loads, 2);
  EXPECT_EQ(screen.unloads, 1);
}

}  // namespace

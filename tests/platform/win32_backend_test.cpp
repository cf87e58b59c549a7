// SPDX-License-Identifier: MIT
// The Win32 backend's event loop, on real desktop windows (in memory, under Wine's null
// display driver): DoEvents yields to posted messages only, the loop delivers input and
// wakes for timers, a window's close is the screen's to answer, and closing the last
// window ends the program.
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless.h"
#include "platform/loop/system.h"
#include "platform/ui/form.h"
#include "platform/win32/window.h"
// After the desktop's own HWND is declared, so that the layer's does not shadow it there.
#include "platform/loop/window_messages.h"

namespace {

// What happened, kept outside the form: the loop destroys the forms when it ends.
std::vector<std::uint32_t> noticed;
int ticks = 0, presses = 0, arrows = 0, closeRequests = 0, endAfterTicks = 0, sessionEnds = 0;

// The sound engine's messages; the desktop also sends every top-level window its own
// (activation), which are not the layer's to hold back.
platform::LRESULT Notice(platform::HWND, std::uint32_t message, platform::WPARAM,
                         platform::LPARAM) {
  if (message >= 0x3B0 && message < 0x400) noticed.push_back(message);
  return 0;
}

class Target : public platform::Form {
 public:
  Target() {
    SetClientSize(64, 48);
    SetCaption("Target");
    timer.OnTick = [] {
      if (++ticks == endAfterTicks) platform::EndProgram();
    };
  }
  HWND Handle() const {
    return static_cast<platform::win32::Window*>(backendState.get())->Handle();
  }
  platform::Timer timer{*this, 16, true};
  void SessionEnds() override { ++sessionEnds; }

 protected:
  void MouseDown(int button, int, float x, float y) override {
    if (button == 1 && x == 10 && y == 20) ++presses;
  }
  void KeyDown(platform::Key key, int shift) override {
    if (key == platform::Key::Up && shift == 0) ++arrows;
  }
  // Refuses the first close request, as a screen does while it cannot leave yet.
  void QueryUnload() override {
    if (++closeRequests > 1) Close();
  }
};

class Win32BackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    noticed.clear();
    ticks = presses = arrows = closeRequests = sessionEnds = 0;
    ASSERT_TRUE(platform::InitDesktop());
  }
  void TearDown() override { platform::headless::Init(); }

  // Shows a new Target and returns its window.
  static HWND ShowTarget() {
    Target& target = platform::Instance<Target>();
    target.Show();
    platform::DoEvents();  // presents: the form's window is made
    return target.backendState ? target.Handle() : nullptr;
  }
};

TEST_F(Win32BackendTest, DoEventsDeliversPostedMessagesButNoInputAndNoTick) {
  endAfterTicks = 2;
  const HWND window = ShowTarget();
  ASSERT_NE(window, nullptr);
  const platform::HWND notify = platform::CreateWindowExA(
      0, "STATIC", "Soundmanager Window", 0x8000000B, 0, 0, 100, 20, 0, nullptr, nullptr, nullptr);
  ASSERT_NE(notify, 0u);
  ASSERT_NE(platform::SetWindowLongA(notify, platform::GWL_WNDPROC,
                                     reinterpret_cast<std::intptr_t>(&Notice)),
            0);
  ASSERT_TRUE(PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20)));
  ASSERT_TRUE(PostMessageW(window, WM_KEYDOWN, VK_UP, 0));
  ASSERT_TRUE(platform::PostMessageA(notify, 0x3BD, 1, 0));
  Sleep(40);  // the timer is due

  platform::DoEvents();
  EXPECT_EQ(noticed, std::vector<std::uint32_t>{0x3BD});
  EXPECT_EQ(presses, 0);
  EXPECT_EQ(arrows, 0);
  EXPECT_EQ(ticks, 0);

  // The loop then takes the press and wakes for two ticks, the second of which ends it.
  EXPECT_EQ(platform::Run(), 0);
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(arrows, 1);
  EXPECT_EQ(ticks, 2);
}

// The close button and Alt+F4 come as WM_CLOSE: the form answers it, and once it has
// closed its last window the program ends.
TEST_F(Win32BackendTest, AWindowCloseIsTheFormsToAnswerAndClosingTheLastEndsTheProgram) {
  endAfterTicks = 1000;  // about 16 s: only the close ends the loop in time
  const HWND window = ShowTarget();
  ASSERT_NE(window, nullptr);
  PostMessageW(window, WM_CLOSE, 0, 0);
  platform::DoEvents();  // a close is input: it waits for the loop
  EXPECT_EQ(closeRequests, 0);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(platform::Run(), 0);
  EXPECT_EQ(closeRequests, 2);
  EXPECT_TRUE(platform::EndRequested());
  EXPECT_LT(ticks, 100);
}

// A logout or shutdown: the game never stands in its way, and the form has kept what it
// must before WM_ENDSESSION returns, after which the desktop may end the process.
TEST_F(Win32BackendTest, TheSessionsEndIsKeptForAtOnceAndEndsTheProgram) {
  endAfterTicks = 1000;
  const HWND window = ShowTarget();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  EXPECT_EQ(sessionEnds, 0);
  SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(sessionEnds, 1);
  EXPECT_EQ(platform::Run(), 0);
  EXPECT_EQ(sessionEnds, 1);
  EXPECT_LT(ticks, 100);
}

}  // namespace

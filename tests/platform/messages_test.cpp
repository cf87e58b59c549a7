// SPDX-License-Identifier: MIT
#include <algorithm>
#include <fstream>
#include <thread>

#include "platform/headless/headless.h"
#include "platform/loop/window_messages.h"
#include "platform_test.h"
#include "tests/support/temp_folder.h"

using namespace platform;

namespace {

struct Received {
  HWND window;
  std::uint32_t message;
  WPARAM wParam;
  std::thread::id thread;
};
std::vector<Received> received;
WNDPROC previous = nullptr;

LRESULT Recorder(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  received.push_back({window, message, wParam, std::this_thread::get_id()});
  return CallWindowProcA(previous, window, message, wParam, lParam) + 7;
}

class MessagesTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    received.clear();
    window = CreateWindowExA(0, "STATIC", "Soundmanager Window", 0x8000000B, 0, 0, 100, 20, 0,
                             nullptr, nullptr, nullptr);
    previous = reinterpret_cast<WNDPROC>(
        SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<std::intptr_t>(&Recorder)));
  }
  HWND window = 0;
};

TEST_F(MessagesTest, HiddenStaticWindowAndItsProcedures) {
  ASSERT_NE(window, 0u);
  ASSERT_NE(previous, nullptr);
  EXPECT_EQ(CallWindowProcA(previous, window, 0x3BD, 1, 2), 0);  // the static procedure
  EXPECT_EQ(CallWindowProcA(&Recorder, window, 0x3BD, 1, 2), 7);
  EXPECT_EQ(CreateWindowExA(0, "BUTTON", "", 0, 0, 0, 1, 1, 0, nullptr, nullptr, nullptr), 0u);
  EXPECT_EQ(SetWindowLongA(window + 1000, GWL_WNDPROC, 1), 0);
  EXPECT_EQ(SetWindowLongA(window, -16, 1), 0);
  EXPECT_EQ(SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<std::intptr_t>(previous)),
            reinterpret_cast<std::intptr_t>(&Recorder));
}

TEST_F(MessagesTest, PostedFromOtherThreadsDeliveredOnThisThreadInOrder) {
  constexpr int kEach = 500;
  auto post = [&](std::uint32_t message) {
    for (int i = 0; i < kEach; ++i) PostMessageA(window, message, WPARAM(i), 0);
  };
  std::thread a(post, 0x3BD), b(post, 0x3BC);
  a.join();
  b.join();
  EXPECT_TRUE(received.empty());  // nothing runs until the loop delivers
  DoEvents();
  ASSERT_EQ(received.size(), 2u * kEach);
  WPARAM nextA = 0, nextB = 0;
  for (const Received& r : received) {
    EXPECT_EQ(r.thread, std::this_thread::get_id());
    EXPECT_EQ(r.wParam, r.message == 0x3BD ? nextA++ : nextB++);
  }
}

TEST_F(MessagesTest, DestroyedWindowsReceiveNothing) {
  PostMessageA(window, 0x3BD, 1, 0);
  EXPECT_TRUE(DestroyWindow(window));
  EXPECT_FALSE(DestroyWindow(window));
  EXPECT_FALSE(PostMessageA(window, 0x3BD, 2, 0));
  headless::AdvanceMs(10);
  // (The desktop tells a procedure that its window is being destroyed; nothing else comes.)
  EXPECT_TRUE(std::none_of(received.begin(), received.end(),
                           [](const Received& r) { return r.message == 0x3BD; }));
}

class Busy : public Form {
 public:
  Busy() {
    SetClientSize(20, 20);
    timer.OnTick = [this] {
      ++ticks;
      if (ticks == 1) {
        Image().at(0, 0) = 0xABCDEF;
        Refresh();
        PostMessageA(window, 0x3BD, 9, 0);
        DoEvents();
        delivered = received.size();
        presentsAfterYield = headless::PresentCount();
      }
    };
  }
  HWND window = 0;
  Timer timer{*this, 10, true};
  int ticks = 0, presentsAfterYield = 0;
  std::size_t delivered = 0;
};

TEST_F(MessagesTest, DoEventsDeliversMessagesAndPresentsButRunsNoTicks) {
  Busy& busy = Instance<Busy>();
  busy.window = window;
  busy.Show();
  headless::AdvanceMs(1);
  const int presentsBefore = headless::PresentCount();
  headless::AdvanceMs(15);  // one tick; the yield inside runs no second one
  EXPECT_EQ(busy.ticks, 1);
  EXPECT_EQ(busy.delivered, 1u);
  EXPECT_EQ(busy.presentsAfterYield, presentsBefore + 1);
}

TEST_F(MessagesTest, AProcedureThatYieldsGetsNoNestedMessage) {
  static int depth = 0, maxDepth = 0;
  previous = reinterpret_cast<WNDPROC>(SetWindowLongA(
      window, GWL_WNDPROC,
      reinterpret_cast<std::intptr_t>(+[](HWND w, std::uint32_t m, WPARAM, LPARAM) -> LRESULT {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        if (m == 0x401) PostMessageA(w, 0x402, 0, 0);
        DoEvents();
        --depth;
        received.push_back({w, m, 0, {}});
        return 0;
      })));
  PostMessageA(window, 0x401, 0, 0);
  DoEvents();
  DoEvents();
  EXPECT_EQ(maxDepth, 1);
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[1].message, 0x402u);
}

using SystemTest = PlatformTest;

TEST_F(SystemTest, MessageBoxesScreenSizeAndPictures) {
  MsgBox("Minimum screen resolution is 1024 * 768", "Warning", MsgBoxIcon::Exclamation);
  ASSERT_EQ(headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(headless::MessageBoxes()[0].title, "Warning");
  EXPECT_EQ(headless::MessageBoxes()[0].icon, MsgBoxIcon::Exclamation);
  EXPECT_EQ(ScreenHeight(), 768);
  headless::SetScreenSize(1280, 767);
  EXPECT_EQ(ScreenWidth(), 1280);
  EXPECT_EQ(ScreenHeight(), 767);

  const zt_test::TempFolder temp("zt_platform_pictures");
  const auto& folder = temp.Path();
  std::filesystem::create_directories(folder / "resources");
  // A 3 x 2 PNG, transparent black but for (1, 0), which is 0x0A9AD7.
  static const char kDot[] =
      "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52"
      "\x00\x00\x00\x03\x00\x00\x00\x02\x08\x06\x00\x00\x00\x9d\x74\x66"
      "\x1a\x00\x00\x00\x12\x49\x44\x41\x54\x78\xda\x63\x60\x00\x02\xae"
      "\x59\xd7\xff\x33\xa0\x03\x00\x2e\xd7\x02\x7b\x72\xcd\x1b\x90\x00"
      "\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82";
  std::ofstream(folder / "resources" / "dot.png", std::ios::binary).write(kDot, sizeof kDot - 1);
  SetProgramFolder(folder);
  const gfx::Surface picture = LoadPicture("dot.png");
  ASSERT_EQ(picture.width(), 3);
  EXPECT_EQ(picture.at(1, 0), gfx::Rgb(10, 154, 215));
  EXPECT_TRUE(LoadPicture("missing.png").empty());
}

}  // namespace

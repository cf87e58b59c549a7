#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <thread>

#include "platform/window_messages.h"
#include "platform_test.h"

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
  EXPECT_TRUE(received.empty());
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
        if (m == 1) PostMessageA(w, 2, 0, 0);
        DoEvents();
        --depth;
        received.push_back({w, m, 0, {}});
        return 0;
      })));
  PostMessageA(window, 1, 0, 0);
  DoEvents();
  DoEvents();
  EXPECT_EQ(maxDepth, 1);
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[1].message, 2u);
}

TEST(SystemTest, MessageBoxesScreenSizeAndPictures) {
  platform::Init(platform::Backend::Headless);
  headless::Reset();
  MsgBox("Minimum screen resolution is 1024 * 768", "Warning", MsgBoxIcon::Exclamation);
  ASSERT_EQ(headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(headless::MessageBoxes()[0].title, "Warning");
  EXPECT_EQ(headless::MessageBoxes()[0].icon, MsgBoxIcon::Exclamation);
  EXPECT_EQ(ScreenHeight(), 768);
  headless::SetScreenSize(1280, 767);
  EXPECT_EQ(ScreenWidth(), 1280);
  EXPECT_EQ(ScreenHeight(), 767);

  const auto folder = std::filesystem::temp_directory_path() / "zt_platform_pictures";
  std::filesystem::create_directories(folder / "resources");
  SDL_Surface* png = SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 32, SDL_PIXELFORMAT_ARGB8888);
  static_cast<Uint32*>(png->pixels)[1] = 0xFF0A9AD7;
  IMG_SavePNG(png, (folder / "resources" / "dot.png").c_str());
  SDL_FreeSurface(png);
  SetProgramFolder(folder);
  const gfx::Surface picture = LoadPicture("dot.png");
  ASSERT_EQ(picture.width(), 3);
  EXPECT_EQ(picture.at(1, 0), gfx::Rgb(10, 154, 215));
  EXPECT_TRUE(LoadPicture("missing.png").empty());
  std::filesystem::remove_all(folder);
  SetProgramFolder(ZT_PROGRAM_DIR);
  headless::Reset();
}

}  // namespace

// SPDX-License-Identifier: MIT
// The SDL backend under a real X server: the test starts its own Xvfb, opens a window,
// reads back what the server shows, and drives it with xdotool.
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "platform/loop/system.h"
#include "platform/loop/window_messages.h"
#include "platform/ui/form.h"

// Last: its macros (None, Bool, Status) would break the headers above.
#include <X11/Xlib.h>

using namespace platform;

namespace {

bool OnPath(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) text += buffer;
    pclose(pipe);
  }
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

// An X server of our own. It picks a free display number itself and writes it once it
// accepts connections: a number found free by looking for its files could still belong to
// a server that is shutting down.
class Xvfb {
 public:
  bool Start() {
    int numberPipe[2];
    if (pipe(numberPipe) != 0) return false;
    pid_ = fork();
    if (pid_ == 0) {
      close(numberPipe[0]);
      if (!std::freopen("/dev/null", "w", stderr)) _exit(127);
      const std::string fd = std::to_string(numberPipe[1]);
      // -noreset: a server that resets when its last client leaves drops the connections
      // that come meanwhile.
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(numberPipe[1]);
    std::string number;
    char c;
    while (read(numberPipe[0], &c, 1) == 1 && c != '\n') number += c;
    close(numberPipe[0]);
    if (number.empty()) return false;  // the server ended without a display
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return true;
  }
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  ~Xvfb() { Stop(); }

 private:
  pid_t pid_ = -1;
};

constexpr gfx::Pixel kBack = gfx::Rgb(20, 40, 60);
constexpr gfx::Pixel kRed = gfx::Rgb(200, 0, 0);

struct Results {
  int steps = 0;
  bool clicked = false, clickedAfterResize = false, timedOut = false;
  bool hiddenByItsPress = false, clickedAfterThat = false;
  int closeRequests = 0;
  gfx::Pixel back = 0, red = 0;
  int labelInk = 0;
  std::string typed;
  double postedAtMs = -1, deliveredAtMs = -1;
  double signalledAtMs = -1;
};
Results results;

// A hidden message window whose messages go to the given procedure.
HWND MessageWindowFor(LRESULT (*procedure)(HWND, std::uint32_t, WPARAM, LPARAM)) {
  const HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, 0, nullptr, nullptr, nullptr);
  SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<std::intptr_t>(procedure));
  return window;
}

LRESULT RecordDelivery(HWND, std::uint32_t, WPARAM, LPARAM) {
  results.deliveredAtMs = NowMs();
  return 0;
}

// Posts from another thread while the loop sleeps with its next timer far away: the
// message must wake the loop at once.
void PostFromAnotherThread() {
  const HWND window = MessageWindowFor(&RecordDelivery);
  std::thread([window] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    results.postedAtMs = NowMs();
    PostMessageA(window, 0x3BD, 0, 0);
  }).detach();
}

LRESULT GiveUp(HWND, std::uint32_t, WPARAM, LPARAM) {
  results.timedOut = true;
  EndProgram();
  return 0;
}

// Sends SIGTERM while the loop sleeps with no timer at all: the signal alone must wake it
// and end the program. A message five seconds later ends a loop that slept through it.
void TerminateSoon() {
  const HWND window = MessageWindowFor(&GiveUp);
  std::thread([window] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    results.signalledAtMs = NowMs();
    kill(getpid(), SIGTERM);
    std::this_thread::sleep_for(std::chrono::seconds(5));
    PostMessageA(window, 0x3BD, 0, 0);
  }).detach();
}

// What a window manager sends when the player clicks a window's close button.
void SendCloseRequest(const std::string& windowId) {
  Display* display = XOpenDisplay(nullptr);
  if (!display || windowId.empty()) return;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = std::stoul(windowId);
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
  XCloseDisplay(display);
}

// A window that answers a close request by staying: the request reaches the form.
class StaysOpen : public Form {
 public:
  StaysOpen() {
    SetCaption("Zentorra E2E stays");
    SetClientSize(200, 100);
  }

 protected:
  void QueryUnload() override { ++results.closeRequests; }
};

// A large window that a press on its corner hides, where no other window lies beneath.
class PressHidesForm : public Form {
 public:
  PressHidesForm() {
    SetCaption("Zentorra E2E hides");
    SetClientSize(1200, 1000);
    corner.Move(0, 0, 40, 40);
    corner.OnClick = [this] {
      results.hiddenByItsPress = true;
      Hide();
    };
  }
  platform::Image corner{*this};
};

// A window that scripts its own test from a timer, one step per tick, while the real
// event loop runs.
class E2EForm : public Form {
 public:
  E2EForm() {
    SetCaption("Zentorra E2E");
    SetClientSize(320, 240);
    SetBackColor(kBack);
    box.Move(20, 20, 60, 40);
    box.SetPicture(gfx::Surface(60, 40, kRed));
    label.Move(100, 20, 150, 30);
    label.SetFont("Arial", 18, true);
    label.SetForeColor(gfx::kWhite);
    label.SetCaption("Hello");
    area.Move(200, 150, 80, 60);
    area.SetMousePointer(MousePointer::Hand);
    area.OnClick = [this] {
      (results.hiddenByItsPress ? results.clickedAfterThat
       : resized                ? results.clickedAfterResize
                                : results.clicked) = true;
    };
    name.Move(20, 150, 150, 24);
    script.OnTick = [this] { Step(); };
  }
  PictureBox box{*this};
  Label label{*this};
  platform::Image area{*this};
  TextBox name{*this};
  Timer script{*this, 100, true};
  bool resized = false;

 private:
  std::string Window(const std::string& title = "Zentorra E2E") {
    return Output("xdotool search --name '^" + title + "$' | head -1");
  }
  void Xdo(const std::string& args) {
    EXPECT_EQ(std::system(("xdotool " + args).c_str()), 0) << args;
  }

  void Step() {
    const int step = results.steps++;
    if (step == 1) PostFromAnotherThread();
    if (step == 2) ReadBack();
    if (step == 3) Xdo("mousemove --sync --window " + Window() + " 240 180 click 1");
    if (step == 5) Xdo("mousemove --sync --window " + Window() + " 60 160 click 1");
    if (step == 6) Xdo("type --delay 20 Bob12");
    if (step == 8) Xdo("key BackSpace");
    if (step == 10) {
      results.typed = name.Text();
      resized = true;
      Xdo("windowsize --sync " + Window() + " 640 480");
    }
    if (step == 12) Xdo("mousemove --sync --window " + Window() + " 480 360 click 1");
    // The button is released after the press has hidden its window, and the next press
    // elsewhere must still count.
    if (step == 14) Instance<PressHidesForm>().Show();
    if (step == 16)
      Xdo("mousemove --sync --window " + Window("Zentorra E2E hides") + " 10 10 mousedown 1");
    if (step == 18) Xdo("mouseup 1");
    if (step == 19) Xdo("mousemove --sync --window " + Window() + " 480 360 click 1");
    if (step == 21) Instance<StaysOpen>().Show();
    if (step == 23) SendCloseRequest(Window("Zentorra E2E stays"));
    if (step == 25) {
      script.SetEnabled(false);
      TerminateSoon();
    }
    if (step > 100) {
      results.timedOut = true;
      EndProgram();
    }
  }

  void ReadBack() {
    const std::string file = std::filesystem::temp_directory_path() / "zt_e2e_window.png";
    if (std::system(("import -window " + Window() + " png:" + file).c_str()) != 0) return;
    SDL_Surface* shot = IMG_Load(file.c_str());
    if (!shot) return;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(shot, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(shot);
    auto at = [argb](int x, int y) {
      return static_cast<const Uint32*>(argb->pixels)[y * argb->pitch / 4 + x] & 0xFFFFFF;
    };
    results.back = at(5, 5);
    results.red = at(40, 40);
    for (int y = 20; y < 50; ++y)
      for (int x = 100; x < 250; ++x) results.labelInk += at(x, y) != kBack;
    SDL_FreeSurface(argb);
    std::filesystem::remove(file);
  }
};

TEST(SdlBackendE2E, DrawsClicksTypesScalesAndEndsOnSigtermUnderAnXServer) {
  if (!OnPath("Xvfb") || !OnPath("xdotool") || !OnPath("import"))
    GTEST_SKIP() << "Xvfb, xdotool or ImageMagick is not installed";
  Xvfb server;
  ASSERT_TRUE(server.Start()) << "Xvfb did not start";
  SetProgramFolder(ZT_PROGRAM_DIR);
  InitDesktop();
  EXPECT_EQ(ScreenWidth(), 1280);
  EXPECT_EQ(ScreenHeight(), 1024);
  Instance<E2EForm>().Show();
  EXPECT_EQ(platform::Run(), 0);
  const double endedAtMs = NowMs();
  Shutdown();
  server.Stop();

  EXPECT_FALSE(results.timedOut);
  ASSERT_GE(results.postedAtMs, 0);
  EXPECT_LT(results.deliveredAtMs - results.postedAtMs, 20);
  EXPECT_EQ(results.back, kBack);
  EXPECT_EQ(results.red, kRed);
  EXPECT_GT(results.labelInk, 50);
  EXPECT_TRUE(results.clicked);
  EXPECT_EQ(results.typed, "Bob1");
  EXPECT_TRUE(results.clickedAfterResize);  // window pixels map back to logical pixels
  EXPECT_TRUE(results.hiddenByItsPress);
  EXPECT_TRUE(results.clickedAfterThat) << "a press after one that hid its window was lost";
  EXPECT_EQ(results.closeRequests, 1) << "the window manager's close did not reach the form";
  ASSERT_GE(results.signalledAtMs, 0);
  EXPECT_LT(endedAtMs - results.signalledAtMs, 1000) << "SIGTERM must end an idle loop at once";
}

// SDL would otherwise fall back to windows kept in memory, and the program would run
// on unseen.
TEST(SdlBackendE2E, WithoutAnyWindowSystemStartingFailsAndSaysWhy) {
  setenv("DISPLAY", ":4321", 1);
  unsetenv("WAYLAND_DISPLAY");
  unsetenv("SDL_VIDEODRIVER");
  testing::internal::CaptureStderr();
  const bool ready = InitDesktop();
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("Cannot open the display"), std::string::npos) << said;
  EXPECT_NE(said.find(":4321"), std::string::npos) << said;
  ASSERT_FALSE(ready) << "windows nobody can see";
  EXPECT_EQ(platform::Run(), 1);
  Shutdown();
}

}  // namespace

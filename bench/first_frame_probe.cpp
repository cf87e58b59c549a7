// SPDX-License-Identifier: MIT
// Measures how long a program takes from its launch to its first window on the X display
// named by DISPLAY: until the window is mapped (an X event, seen as it happens), and until
// its first frame is on the screen (two pixels of its bottom-right corner read back every
// millisecond until they hold the expected colour). The program is then ended.
// Usage: first_frame_probe <colour as RRGGBB> <program> [arguments...]
// Prints: "<mapped ms> <drawn ms>".
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Waits for the first top-level window to be mapped; 0 if none is within 10 s.
Window AwaitMap(Display* display, Clock::time_point start) {
  while (MsSince(start) < 10000) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify) return event.xmap.window;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return 0;
}

// Whether the window's two bottom-right pixels hold the colour (X's background weave,
// shown before the first frame, alternates black and white).
bool ShowsColour(Display* display, Window window, unsigned long colour) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes) || attributes.width < 2) return false;
  XImage* image = XGetImage(display, window, attributes.width - 2, attributes.height - 1, 2, 1,
                            AllPlanes, ZPixmap);
  if (!image) return false;
  const bool shows = (XGetPixel(image, 0, 0) & 0xFFFFFF) == colour &&
                     (XGetPixel(image, 1, 0) & 0xFFFFFF) == colour;
  XDestroyImage(image);
  return shows;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s RRGGBB program [arguments...]\n", argv[0]);
    return 2;
  }
  const unsigned long colour = std::strtoul(argv[1], nullptr, 16);
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "cannot open the display\n");
    return 2;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  const Clock::time_point start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execv(argv[2], argv + 2);
    _exit(127);
  }
  const Window window = AwaitMap(display, start);
  const double mapped = MsSince(start);
  double drawn = -1;
  while (window && MsSince(start) < 10000) {
    if (ShowsColour(display, window, colour)) {
      drawn = MsSince(start);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  if (!window || drawn < 0) {
    std::fprintf(stderr, "no window, or it never showed the colour\n");
    return 1;
  }
  std::printf("%.0f %.0f\n", mapped, drawn);
  return 0;
}

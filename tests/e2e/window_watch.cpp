// SPDX-License-Identifier: MIT
// Watches the top-level windows of the X display named by DISPLAY as a player sees them:
// the moment each is mapped, what it shows at once (read back as soon as the map is
// seen), what it shows a little later, and whether any other window is on the screen when
// one goes away. Runs until it is sent SIGTERM or SIGINT.
// Usage: window_watch [folder]  -- with a folder, each window's first picture is saved
// there as <n>-<title>.ppm.
// Prints one line per event, as it is known:
//   shown "<title>" <ms> same=<percent of pixels of the first picture that it still
//         shows after kSettleMs> black=<percent of black pixels in the first picture>
//   gone "<title>" <ms> others=<windows still on the screen>
//   gap <ms with no window on the screen before the next one appeared>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kSettleMs = 300;

volatile sig_atomic_t stopping = 0;
void Stop(int) {
  stopping = 1;
}

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned long> pixels;
};

struct Watched {
  std::string title;
  double mappedMs = 0;
  Picture first;
  bool reported = false;
};

double Ms(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// An X error (a window that went away under a request) is not fatal here.
int IgnoreError(Display*, XErrorEvent*) {
  return 0;
}

Picture Grab(Display* display, Window window) {
  Picture picture;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return picture;
  XImage* image =
      XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (!image) return picture;
  picture.width = attributes.width;
  picture.height = attributes.height;
  picture.pixels.reserve(std::size_t(picture.width) * picture.height);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      picture.pixels.push_back(XGetPixel(image, x, y) & 0xFFFFFF);
  XDestroyImage(image);
  return picture;
}

std::string Title(Display* display, Window window) {
  char* name = nullptr;
  std::string title;
  if (XFetchName(display, window, &name) && name) title = name;
  if (name) XFree(name);
  return title;
}

void Save(const Picture& picture, const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return;
  std::fprintf(file, "P6\n%d %d\n255\n", picture.width, picture.height);
  for (unsigned long p : picture.pixels) {
    const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16),
                                  static_cast<unsigned char>(p >> 8),
                                  static_cast<unsigned char>(p)};
    std::fwrite(rgb, 1, 3, file);
  }
  std::fclose(file);
}

int Percent(std::size_t part, std::size_t whole) {
  return whole ? static_cast<int>(100 * part / whole) : 0;
}

void Report(Display* display, Window window, Watched& watched) {
  const Picture later = Grab(display, window);
  std::size_t same = 0, black = 0;
  const std::size_t count = watched.first.pixels.size();
  for (std::size_t i = 0; i < count; ++i) {
    black += watched.first.pixels[i] == 0;
    same += later.pixels.size() == count && later.pixels[i] == watched.first.pixels[i];
  }
  // A window that went before it settled cannot be read back any more.
  const std::string sameText =
      later.pixels.size() == count ? std::to_string(Percent(same, count)) : "?";
  std::printf("shown \"%s\" %.0f same=%s black=%d\n", watched.title.c_str(), watched.mappedMs,
              sameText.c_str(), Percent(black, count));
  std::fflush(stdout);
  watched.reported = true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "";
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "cannot open the display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreError);
  signal(SIGTERM, Stop);
  signal(SIGINT, Stop);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  std::printf("watching\n");
  std::fflush(stdout);
  const Clock::time_point start = Clock::now();
  std::map<Window, Watched> mapped;
  double emptySinceMs = -1;
  int shots = 0;
  while (!stopping) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(display)) {
        const Window window = event.xmap.window;
        Watched watched{Title(display, window), Ms(start), Grab(display, window), false};
        if (emptySinceMs >= 0) std::printf("gap %.0f\n", watched.mappedMs - emptySinceMs);
        emptySinceMs = -1;
        if (!folder.empty())
          Save(watched.first,
               folder + "/" + std::to_string(++shots) + "-" + watched.title + ".ppm");
        mapped[window] = std::move(watched);
      } else if ((event.type == UnmapNotify && event.xunmap.event == DefaultRootWindow(display)) ||
                 (event.type == DestroyNotify &&
                  event.xdestroywindow.event == DefaultRootWindow(display))) {
        const Window window =
            event.type == UnmapNotify ? event.xunmap.window : event.xdestroywindow.window;
        auto it = mapped.find(window);
        if (it == mapped.end()) continue;
        if (!it->second.reported) Report(display, window, it->second);
        std::printf("gone \"%s\" %.0f others=%zu\n", it->second.title.c_str(), Ms(start),
                    mapped.size() - 1);
        mapped.erase(it);
        if (mapped.empty()) emptySinceMs = Ms(start);
      }
      std::fflush(stdout);
    }
    for (auto& [window, watched] : mapped)
      if (!watched.reported && Ms(start) - watched.mappedMs >= kSettleMs)
        Report(display, window, watched);
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  XCloseDisplay(display);
  return 0;
}

// SPDX-License-Identifier: MIT
#include "platform/sdl/event_wait.h"

#include <SDL2/SDL_syswm.h>
#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>

namespace platform::detail {
namespace {

// Written by the signal handler, which may run on any thread.
volatile sig_atomic_t quitSignalled = 0;
std::atomic<int> signalWakeFd = -1;

void OnQuitSignal(int) {
  const int savedErrno = errno;
  quitSignalled = 1;
  const int fd = signalWakeFd;
  const std::uint64_t one = 1;
  if (fd >= 0) {
    [[maybe_unused]] const ssize_t written = write(fd, &one, sizeof one);
  }
  errno = savedErrno;
}

}  // namespace

void EventWait::CatchQuitSignals() {
  struct sigaction action {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
}

EventWait::EventWait()
    : wakeFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)), wakeEvent_(SDL_RegisterEvents(1)) {
  signalWakeFd = wakeFd_;
}

EventWait::~EventWait() {
  signalWakeFd = -1;
  if (wakeFd_ >= 0) close(wakeFd_);
}

bool EventWait::TakeQuitSignal(SDL_Event& event) {
  if (!quitSignalled) return false;
  quitSignalled = 0;
  event = SDL_Event{};
  event.type = SDL_QUIT;
  return true;
}

void EventWait::Watch(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (displayFd_ >= 0 || wakeFd_ < 0 || !window) return;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
    display_ = info.info.x11.display;
    displayFd_ = ConnectionNumber(info.info.x11.display);
  }
#else
  (void)window;
#endif
}

void EventWait::Wake() {
  if (displayFd_ >= 0) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(wakeFd_, &one, sizeof one);
    return;
  }
  SDL_Event event{};
  event.type = wakeEvent_;
  SDL_PushEvent(&event);
}

bool EventWait::SdlWait(SDL_Event& event, double timeoutMs) {
  if (timeoutMs < 0) return SDL_WaitEvent(&event) == 1;
  if (timeoutMs == 0) return SDL_PollEvent(&event) == 1;
  return SDL_WaitEventTimeout(&event, static_cast<int>(std::ceil(timeoutMs))) == 1;
}

// Any call that waits for the display's answer (hiding a window, reading the clipboard)
// reads the events that came before it into Xlib's own queue, where poll() cannot see them.
bool EventWait::ReadButUnhandled() const {
#if defined(SDL_VIDEO_DRIVER_X11)
  return display_ && QLength(static_cast<Display*>(display_)) > 0;
#else
  return false;
#endif
}

bool EventWait::Next(SDL_Event& event, double timeoutMs) {
  if (TakeQuitSignal(event)) return true;
  // Nothing wakes SDL's own wait on a signal: look for one at least every 100 ms.
  if (displayFd_ < 0) return SdlWait(event, std::min(timeoutMs < 0 ? 1e9 : timeoutMs, 100.0));
  if (pump_) {
    if (SDL_PollEvent(&event)) return true;  // also flushes our requests to the display
    pump_ = false;
  } else if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
    return true;  // queued by SDL itself, without reading the display
  }
  if (timeoutMs == 0) return false;
  if (ReadButUnhandled()) {
    pump_ = true;
    return Next(event, 0);
  }
  pollfd fds[2] = {{displayFd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
  const auto ns = static_cast<long long>(timeoutMs * 1e6);
  const timespec limit{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
  if (ppoll(fds, 2, timeoutMs < 0 ? nullptr : &limit, nullptr) <= 0) return false;
  if (fds[1].revents & POLLIN) {
    std::uint64_t count;
    [[maybe_unused]] const ssize_t got = read(wakeFd_, &count, sizeof count);
  }
  if (!(fds[0].revents & POLLIN)) return false;
  pump_ = true;
  return Next(event, 0);
}

}  // namespace platform::detail

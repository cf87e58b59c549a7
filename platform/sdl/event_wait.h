// SPDX-License-Identifier: MIT
// How the SDL backend sleeps. Asking SDL for events reads from the display connection
// every time, which costs more than the ticks of an idle 20 ms timer. So the backend
// sleeps in poll() on the display connection and a wake-up descriptor, and asks SDL
// only when the display has something, or may have (after drawing or handling events).
// Where the display connection is unknown (not X11) it falls back to SDL's own waiting.
// SIGINT, SIGTERM and SIGHUP end the session: they wake the sleep and come out as SDL_QUIT
// (SDL's own handlers only take effect when SDL is asked for events, which an idle
// program may not do for a long time).
#pragma once

#include <SDL2/SDL.h>

#include <atomic>

namespace platform::detail {

class EventWait {
 public:
  EventWait();
  ~EventWait();
  EventWait(const EventWait&) = delete;
  EventWait& operator=(const EventWait&) = delete;

  // Learns the display connection from a window.
  void Watch(SDL_Window* window);
  // Ends a sleep; safe from any thread.
  void Wake();
  // Installs the SIGINT, SIGTERM and SIGHUP handlers; call before SDL is initialised, which
  // then leaves them alone.
  static void CatchQuitSignals();
  // The X display connection, once a window told it (else nullptr).
  void* XDisplay() const { return display_; }
  // Requests went to the display: let SDL flush them and read what comes back.
  void NeedPump() { pump_ = true; }
  // The next event, waiting up to timeoutMs (negative: without limit). False when the
  // time ran out or the wait was woken.
  bool Next(SDL_Event& event, double timeoutMs);

 private:
  bool SdlWait(SDL_Event& event, double timeoutMs);
  bool ReadButUnhandled() const;
  static bool TakeQuitSignal(SDL_Event& event);

  void* display_ = nullptr;          // the X display connection
  std::atomic<int> displayFd_ = -1;  // read by Wake() on other threads
  int wakeFd_ = -1;
  Uint32 wakeEvent_ = 0;
  bool pump_ = true;
};

}  // namespace platform::detail

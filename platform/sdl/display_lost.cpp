// SPDX-License-Identifier: MIT
#include "platform/sdl/display_lost.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <utility>

#include "platform/loop/system.h"
#include "platform/winmm/wave_out_mixer.h"

// Last: the window system's headers define common words (None, Bool) as macros.
#include <SDL2/SDL_syswm.h>
#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#endif

namespace platform::detail {
namespace {

std::vector<std::uint64_t> gone;

#if defined(SDL_VIDEO_DRIVER_X11)
// Xlib would call exit() here itself. The audio thread would go on reading the sounds'
// samples while the exit destroys them, so the mixer stops reading them first. The files
// need no display: the open game is saved as at any other end of the session.
int OnDisplayLost(Display* /*display*/) {
  wave_out_mixer::StopReading();
  std::cerr << "Zentorra: the connection to the display was lost; the program ends.\n";
  EndSession();
  std::exit(EXIT_FAILURE);
}

// No request may be made from here: the window is noted, and the loop answers it. Requests
// on a window already gone fail the same way and change nothing.
int OnProtocolError(Display* /*display*/, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable) {
    if (std::find(gone.begin(), gone.end(), error->resourceid) == gone.end())
      gone.push_back(error->resourceid);
  }
  return 0;
}
#endif

}  // namespace

void EndCleanlyWhenDisplayIsLost() {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (SDL_strcmp(SDL_GetCurrentVideoDriver(), "x11") != 0) return;
  XSetIOErrorHandler(OnDisplayLost);
  KeepOwnErrorHandler();
  // A window destroyed while nothing is drawn into it shows only in the display's events.
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
#endif
}

void KeepOwnErrorHandler() {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (SDL_strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) XSetErrorHandler(OnProtocolError);
#endif
}

void SettleWithDisplay(void* display) {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (!display) return;
  KeepOwnErrorHandler();
  XSync(static_cast<Display*>(display), False);
  gone.clear();
#else
  (void)display;
#endif
}

std::uint64_t SystemWindowOf(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11)
    return info.info.x11.window;
#else
  (void)window;
#endif
  return 0;
}

std::vector<std::uint64_t> TakeGoneWindows(const SDL_Event* event) {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (event && event->type == SDL_SYSWMEVENT && event->syswm.msg->subsystem == SDL_SYSWM_X11) {
    const XEvent& x = event->syswm.msg->msg.x11.event;
    if (x.type == DestroyNotify && x.xdestroywindow.window == x.xdestroywindow.event)
      gone.push_back(x.xdestroywindow.window);
  }
#else
  (void)event;
#endif
  return std::exchange(gone, {});
}

}  // namespace platform::detail

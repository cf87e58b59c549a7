#include "platform/sdl/display_lost.h"

#include <SDL2/SDL.h>

#include <cstdlib>
#include <iostream>

#include "platform/winmm/wave_out_mixer.h"

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#endif

namespace platform::detail {
namespace {

#if defined(SDL_VIDEO_DRIVER_X11)
// Xlib would call exit() here itself. The audio thread would go on reading the sounds'
// samples while the exit destroys them, so the mixer stops reading them first.
int OnDisplayLost(Display* /*display*/) {
  wave_out_mixer::StopReading();
  std::cerr << "Zentorra: the connection to the display was lost; the program ends.\n";
  std::exit(EXIT_FAILURE);
}
#endif

}  // namespace

void EndCleanlyWhenDisplayIsLost() {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (SDL_strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) XSetIOErrorHandler(OnDisplayLost);
#endif
}

}  // namespace platform::detail

// SPDX-License-Identifier: MIT
// The program and its display: Xlib calls a fatal-error handler when the display goes away
// (the player logs out, the X server dies), from inside whatever call noticed, and that
// handler must end the process; ours saves the open game and ends in an order that cannot
// crash. And a window of ours that another program destroys must not end the program as
// Xlib's own protocol-error handler would: it counts as that window's close.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <vector>

namespace platform::detail {

// Installs both handlers and has the display's events reported; call once the display is
// open.
void EndCleanlyWhenDisplayIsLost();

// SDL puts handlers of its own in place around some of its calls, and does not always put
// ours back: called once per pass of the event loop.
void KeepOwnErrorHandler();

// Waits for the display's answers to every request made so far, while our handler still
// takes the errors: SDL's shutdown puts Xlib's own back, which would end the process on
// the close of a window that another program had destroyed.
void SettleWithDisplay(void* display);

// The window system's id of an SDL window (0 where there is none).
std::uint64_t SystemWindowOf(SDL_Window* window);

// The ids of our windows that have gone since the last call: destroyed by another program,
// as the display's events or the errors of requests made on them tell.
std::vector<std::uint64_t> TakeGoneWindows(const SDL_Event* event);

}  // namespace platform::detail

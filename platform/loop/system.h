// SPDX-License-Identifier: MIT
// The services of the window system that are not windows: the event loop, yielding,
// message boxes, the screen, pictures and the end of the program.
#pragma once

#include <string>

#include "gfx/surface.h"
#include "platform/files/places.h"  // where pictures come from; tests set the folders there

namespace platform {

// Chooses the desktop backend: real windows, real time and the machine's audio device.
// Defined by the desktop backend the program links (sdl/ on Linux, win32/ on Windows);
// tests choose headless::Init() instead. Must be called before any other platform call.
// False when it cannot show windows (no display); the reason has gone to stderr.
bool InitDesktop();
// Destroys every form, timer and message window and shuts the backend down.
void Shutdown();

// Runs the event loop until EndProgram(); returns the exit status (0).
int Run();
// Ends the event loop once the running handler has returned; every form is then
// closed and destroyed in an orderly way.
void EndProgram();
bool EndRequested();

// The desktop session ends (a logout or shutdown, SIGTERM, SIGHUP, SIGINT, the display
// gone): every loaded form keeps at once what must not be lost (Form::SessionEnds), and
// then the program ends as with EndProgram(). From then on message boxes only go to
// stderr: nobody is there to answer them, and the display may be gone. Once per run.
void EndSession();
bool SessionEnding();

// Yields to pending window messages: delivers posted messages and presents pending
// refreshes, but runs no timer tick and no input handler, so nothing re-enters the
// code that yielded.
void DoEvents();

// Milliseconds on the backend's clock (real or virtual).
double NowMs();

enum class MsgBoxIcon { None, Exclamation, Information };
// A modal message box with one OK button. Without a display the text goes to stderr
// and the call returns as if OK had been pressed.
void MsgBox(const std::string& text, const std::string& title, MsgBoxIcon icon = MsgBoxIcon::None);

// The size in pixels of the screen the windows appear on.
int ScreenWidth();
int ScreenHeight();

// Loads resources/<name> under the asset folder (places.h), a PNG. A missing or unreadable
// picture is reported on stderr and gives an empty surface.
gfx::Surface LoadPicture(const std::string& name);

// The program's title: the caption of message boxes.
inline constexpr const char* kAppTitle = "Zentorra";

}  // namespace platform

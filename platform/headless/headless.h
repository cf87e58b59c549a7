// SPDX-License-Identifier: MIT
// The test driver of the headless backend: a virtual clock, input at pixel positions,
// read-back of composed frames, and message boxes to record and answer.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gfx/surface.h"
#include "platform/loop/msg_box.h"
#include "platform/loop/system.h"
#include "platform/ui/form.h"

namespace platform::headless {

// Chooses the headless backend, all of it at once: windows that are only frames in
// memory, the virtual clock, the posted-message queue and the test wave-out devices
// (winmm/wave_out_test.h). Call it first, instead of InitDesktop.
bool Init();

// Advances the virtual clock, firing due timers in order of their due time (and
// delivering posted messages between ticks).
void AdvanceMs(double ms);
// Advances the clock until a form's timer has fired count times.
void RunTicks(Timer& timer, int count);

// Input at a pixel of a form's client area (ignored when the form is disabled or hidden).
void Press(Form& form, int button, float x, float y);
void Click(Form& form, int x, int y);   // a left press
void Type(const std::string& utf8);     // into the focused text box of the active form
void PressKey(Key key, int shift = 0);  // shift: the mask of held modifiers
// The window manager's close request for the form (its close button, Alt+F4).
void RequestClose(Form& form);

// The frame the form shows now: its image with its controls composed over it.
gfx::Surface Frame(const Form& form);

struct MessageBoxRecord {
  std::string text, title;
  MsgBoxIcon icon;
};
const std::vector<MessageBoxRecord>& MessageBoxes();
void ClearMessageBoxes();
// A message box keeps its caller waiting until it is closed. The answer runs while the
// box is shown, once per box: it can read the box, take its Frame, press keys (they go
// to the box) or click its button. A box it leaves open, or any box without an answer,
// is then closed as with OK. Reset() takes the answer away.
void AnswerMessageBoxes(std::function<void(MsgBoxForm& box)> answer);

void SetScreenSize(int width, int height);  // default 1024 x 768
void SetClipboardText(const std::string& text);
int PresentCount();       // frames presented so far
int FullScreenToggles();  // F11 or Alt+Enter reached a window
bool Ended();             // EndProgram() was called

// Destroys every form and message window, resets the clock, screen size, records and
// the end flag: a fresh platform for the next test.
void Reset();

}  // namespace platform::headless

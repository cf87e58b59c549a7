// SPDX-License-Identifier: MIT
// What the web backend asks of the page (page.js): the events it queued, the canvas that
// shows the desktop, the title, the pointer, the sound output and the end of the program.
#pragma once

#include <cstdint>
#include <string>

namespace platform::web {

enum class EventType { None, Press, Move, Key, Text };
// One input event, in pixels of the 1024 x 768 desktop.
struct PageEvent {
  EventType type = EventType::None;
  int button = 0;  // 1 left, 2 right, 4 middle; for a key its modifiers (kShiftMask...)
  int x = 0, y = 0;
  std::string text;  // typed text, or the browser's name of a key
};

// The next queued event; false when none is queued.
bool NextEvent(PageEvent& event);
// Gives the browser its turn until an event is queued, a wake-up is asked for or timeoutMs
// have passed (negative: no limit). The caller's stack is kept meanwhile.
void WaitForEvent(double timeoutMs);
// Ends a wait at once, or the next one if none runs.
void Wake();
// Milliseconds on the browser's clock.
double Now();
// The page draws the desktop's RGBA pixels at its next display frame.
void ShowFrame(const std::uint8_t* rgba, int width, int height);
// Gives the browser its turn until the frame handed over last is on the screen.
void WaitForFrame();
void SetTitle(const std::string& title);
// The pointer: the arrow, the hand, or a 32 x 32 RGBA picture with its hot spot top left.
void SetPointer(int kind, const std::uint8_t* rgba);
// Whether the name box wants a keyboard (a phone opens its on-screen one).
void WantKeyboard(bool wanted);
// The program has ended: the page says so and offers to start again.
void Ended();

}  // namespace platform::web

// SPDX-License-Identifier: MIT
// The calls into the page: each is a line of JavaScript that hands over to page.js.
#include "platform/web/page.h"

#include <emscripten.h>

// clang-format off
EM_JS(int, zt_next_event, (int* fields, char* text, int textSize), {
  return Module.zt.nextEvent(fields, text, textSize);
});
EM_JS(void, zt_wait_for_event, (double timeoutMs), {
  Asyncify.handleSleep(function(wakeUp) { Module.zt.sleep(timeoutMs, wakeUp); });
});
EM_JS(void, zt_wake, (), { Module.zt.wake(); });
EM_JS(void, zt_show_frame, (const void* rgba, int width, int height), {
  Module.zt.showFrame(rgba, width, height);
});
EM_JS(void, zt_wait_for_frame, (), {
  Asyncify.handleSleep(function(wakeUp) { Module.zt.afterFrame(wakeUp); });
});
EM_JS(void, zt_set_title, (const char* title), { document.title = UTF8ToString(title); });
EM_JS(void, zt_set_pointer, (int kind, const void* rgba), { Module.zt.setPointer(kind, rgba); });
EM_JS(void, zt_want_keyboard, (int wanted), { Module.zt.wantKeyboard(wanted); });
EM_JS(void, zt_ended, (), { Module.zt.ended(); });
// clang-format on

namespace platform::web {

bool NextEvent(PageEvent& event) {
  int fields[6] = {};
  char text[64] = {};
  if (!zt_next_event(fields, text, sizeof text)) return false;
  event.type = static_cast<EventType>(fields[0]);
  event.button = fields[1];
  event.x = fields[2];
  event.y = fields[3];
  event.text = text;
  return true;
}

void WaitForEvent(double timeoutMs) {
  zt_wait_for_event(timeoutMs);
}
void Wake() {
  zt_wake();
}
double Now() {
  return emscripten_get_now();
}
void ShowFrame(const std::uint8_t* rgba, int width, int height) {
  zt_show_frame(rgba, width, height);
}
void WaitForFrame() {
  zt_wait_for_frame();
}
void SetTitle(const std::string& title) {
  zt_set_title(title.c_str());
}
void SetPointer(int kind, const std::uint8_t* rgba) {
  zt_set_pointer(kind, rgba);
}
void WantKeyboard(bool wanted) {
  zt_want_keyboard(wanted ? 1 : 0);
}
void Ended() {
  zt_ended();
}

}  // namespace platform::web

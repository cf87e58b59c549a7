// SPDX-License-Identifier: MIT
// Hidden message windows on the desktop itself: real "STATIC" windows, procedures
// installed with SetWindowLongPtrA and messages posted with PostMessageA, so the
// wave-output devices post their done messages straight to the sound engine's window.
// The layer's handles are the desktop's handles.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/backend.h"
#include "platform/loop/window_messages.h"

// After the layer's headers: the desktop's headers define some of their names as macros.
#include <windows.h>

namespace platform {
namespace {

// The windows made here, in creation order. UI thread only.
std::vector<HWND> windows;
bool delivering = false;

::HWND Native(HWND window) {
  return reinterpret_cast<::HWND>(window);
}

bool Known(HWND window) {
  return std::find(windows.begin(), windows.end(), window) != windows.end();
}

}  // namespace

HWND CreateWindowExA(std::uint32_t exStyle, const char* className, const char* windowName,
                     std::uint32_t style, int x, int y, int width, int height, HWND parent,
                     void* menu, void* instance, void* param) {
  if (!className || std::strcmp(className, "STATIC") != 0) return 0;
  ::HWND made = ::CreateWindowExA(
      exStyle, className, windowName, style, x, y, width, height, Native(parent),
      static_cast<HMENU>(menu),
      instance ? static_cast<HINSTANCE>(instance) : GetModuleHandleA(nullptr), param);
  if (!made) return 0;
  windows.push_back(reinterpret_cast<HWND>(made));
  return windows.back();
}

// On 64-bit Windows a window procedure no longer fits SetWindowLongA's 32 bits: the
// pointer-sized call does the same job. The layer's procedure type has the desktop's
// calling convention and argument widths there, so it is installed as it is.
std::intptr_t SetWindowLongA(HWND window, int index, std::intptr_t newLong) {
  if (index != GWL_WNDPROC || newLong == 0 || !Known(window)) return 0;
  return SetWindowLongPtrA(Native(window), GWLP_WNDPROC, newLong);
}

LRESULT CallWindowProcA(WNDPROC previous, HWND window, std::uint32_t message, WPARAM wParam,
                        LPARAM lParam) {
  if (!previous) return 0;
  // The same procedure type on the desktop (see SetWindowLongA), by way of the generic
  // function pointer type that a cast between procedure types goes through.
  const auto native = reinterpret_cast<::WNDPROC>(reinterpret_cast<void (*)()>(previous));
  return ::CallWindowProcA(native, Native(window), message, wParam, lParam);
}

bool DestroyWindow(HWND window) {
  if (!Known(window)) return false;
  std::erase(windows, window);
  return ::DestroyWindow(Native(window)) != 0;
}

bool PostMessageA(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageA(Native(window), message, wParam, lParam) != 0;
}

namespace detail {

// Only the messages of the layer's own windows: input and the forms' messages wait for
// the event loop, so nothing re-enters the code that yields.
int DeliverPostedMessages() {
  if (delivering) return 0;  // a procedure that yields does not receive the next message
  delivering = true;
  // Messages the desktop sends this thread (activation, when a window of ours becomes
  // active) are handled inside any peek, and a filtered peek that handles one may come
  // back empty though a posted message waits: they go first.
  MSG sent;
  PeekMessageA(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  int delivered = 0;
  const std::vector<HWND> current = windows;  // a procedure may destroy a window
  for (HWND window : current) {
    MSG message;
    while (Known(window) &&
           PeekMessageA(&message, Native(window), 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) {
      HandlerScope scope;
      DispatchMessageA(&message);
      ++delivered;
    }
  }
  delivering = false;
  return delivered;
}

bool MessagesPending() {
  MSG message;
  for (HWND window : windows) {
    if (PeekMessageA(&message, Native(window), 0, 0, PM_NOREMOVE | PM_QS_POSTMESSAGE)) return true;
  }
  return false;
}

void DestroyAllMessageWindows() {
  for (HWND window : windows) ::DestroyWindow(Native(window));
  windows.clear();
}

}  // namespace detail
}  // namespace platform

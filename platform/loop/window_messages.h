// SPDX-License-Identifier: MIT
// Hidden message windows and posted messages: the small part of the desktop window
// manager that the sound engine talks to. Messages may be posted from any thread; they
// are delivered on the UI thread, in order, by the event loop and by DoEvents().
#pragma once

#include <cstdint>

namespace platform {

using HWND = std::uintptr_t;  // 0: no window
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using WNDPROC = LRESULT (*)(HWND, std::uint32_t, WPARAM, LPARAM);

constexpr int GWL_WNDPROC = -4;

// Creates a hidden window that receives posted messages. Only the class "STATIC" is
// known; its own procedure ignores every message and returns 0. Returns 0 on failure.
HWND CreateWindowExA(std::uint32_t exStyle, const char* className, const char* windowName,
                     std::uint32_t style, int x, int y, int width, int height, HWND parent,
                     void* menu, void* instance, void* param);
// With GWL_WNDPROC: installs newLong as the window procedure and returns the previous
// one. Returns 0 for an unknown window or index.
std::intptr_t SetWindowLongA(HWND window, int index, std::intptr_t newLong);
// Calls a window procedure.
LRESULT CallWindowProcA(WNDPROC previous, HWND window, std::uint32_t message, WPARAM wParam,
                        LPARAM lParam);
// Destroys the window; messages still queued for it are dropped.
bool DestroyWindow(HWND window);
// Queues a message for the window's procedure. Safe from any thread.
bool PostMessageA(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam);

}  // namespace platform

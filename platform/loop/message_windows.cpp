// SPDX-License-Identifier: MIT
// The Linux stand-in for hidden message windows and the posted-message queue, which the
// headless backend uses too. Posting is the one thing another thread may do, so the window
// table and the queue sit behind one lock; procedures run on the UI thread, outside the
// lock.
#include <cstring>
#include <deque>
#include <map>
#include <mutex>

#include "platform/backend.h"
#include "platform/loop/window_messages.h"

namespace platform {
namespace {

struct Posted {
  HWND window;
  std::uint32_t message;
  WPARAM wParam;
  LPARAM lParam;
};

std::mutex lock;
std::map<HWND, WNDPROC> windows;
std::deque<Posted> queue;
HWND nextHandle = 1;
bool delivering = false;  // UI thread only

// The procedure of the "STATIC" class: a hidden static window ignores every message.
LRESULT StaticWindowProc(HWND, std::uint32_t, WPARAM, LPARAM) {
  return 0;
}

}  // namespace

HWND CreateWindowExA(std::uint32_t, const char* className, const char*, std::uint32_t, int, int,
                     int, int, HWND, void*, void*, void*) {
  if (!className || std::strcmp(className, "STATIC") != 0) return 0;
  std::lock_guard guard(lock);
  const HWND window = nextHandle++;
  windows[window] = &StaticWindowProc;
  return window;
}

std::intptr_t SetWindowLongA(HWND window, int index, std::intptr_t newLong) {
  if (index != GWL_WNDPROC || newLong == 0) return 0;
  std::lock_guard guard(lock);
  auto it = windows.find(window);
  if (it == windows.end()) return 0;
  const WNDPROC previous = it->second;
  it->second = reinterpret_cast<WNDPROC>(newLong);
  return reinterpret_cast<std::intptr_t>(previous);
}

LRESULT CallWindowProcA(WNDPROC previous, HWND window, std::uint32_t message, WPARAM wParam,
                        LPARAM lParam) {
  return previous ? previous(window, message, wParam, lParam) : 0;
}

bool DestroyWindow(HWND window) {
  std::lock_guard guard(lock);
  if (windows.erase(window) == 0) return false;
  std::erase_if(queue, [window](const Posted& p) { return p.window == window; });
  return true;
}

bool PostMessageA(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  {
    std::lock_guard guard(lock);
    if (!windows.contains(window)) return false;
    queue.push_back({window, message, wParam, lParam});
  }
  if (detail::BackendImpl* backend = detail::ChosenBackend()) backend->Wake();
  return true;
}

namespace detail {

int DeliverPostedMessages() {
  if (delivering) return 0;  // a procedure that yields does not receive the next message
  delivering = true;
  std::deque<Posted> batch;
  {
    std::lock_guard guard(lock);
    batch.swap(queue);
  }
  int delivered = 0;
  while (!batch.empty()) {
    const Posted next = batch.front();
    batch.pop_front();
    WNDPROC proc = nullptr;
    {
      std::lock_guard guard(lock);
      auto it = windows.find(next.window);  // a procedure may destroy the window
      if (it != windows.end()) proc = it->second;
    }
    if (!proc) continue;
    HandlerScope scope;
    proc(next.window, next.message, next.wParam, next.lParam);
    ++delivered;
  }
  delivering = false;
  return delivered;
}

bool MessagesPending() {
  std::lock_guard guard(lock);
  return !queue.empty();
}

void DestroyAllMessageWindows() {
  std::lock_guard guard(lock);
  windows.clear();
  queue.clear();
}

}  // namespace detail
}  // namespace platform

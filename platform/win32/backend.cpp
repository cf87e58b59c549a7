// SPDX-License-Identifier: MIT
// The Win32 backend: a desktop window per visible form, the desktop's timer and an event
// loop on GetMessage, and the desktop's own message boxes.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <iostream>
#include <memory>

#include "platform/backend.h"
#include "platform/ui/leaving_windows.h"

// After the layer's headers: the desktop's headers define some of their names as macros.
#include "platform/win32/window.h"
#include "platform/win32_media/text.h"
// After the desktop's own HWND is declared, so that the layer's does not shadow it there.
#include "platform/winmm/wave_out_voices.h"

namespace platform::detail {
namespace {

win32::Window* WindowOf(const Form& form) {
  return static_cast<win32::Window*>(form.backendState.get());
}

// A console's close, Ctrl+C, a logout or shutdown told to a console program. The handler
// runs on a thread of its own, and the process ends when it returns: the work is done on
// the user-interface thread, which says when the game is saved.
constexpr UINT kSessionEndMessage = WM_APP + 1;
DWORD uiThread = 0;
HANDLE sessionSaved = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD /*event*/) {
  if (!sessionSaved || !PostThreadMessageW(uiThread, kSessionEndMessage, 0, 0)) return FALSE;
  // Within the few seconds the system gives a closing console.
  WaitForSingleObject(sessionSaved, 4000);
  return TRUE;
}

void CatchConsoleEvents() {
  uiThread = GetCurrentThreadId();
  if (!sessionSaved) sessionSaved = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

class Win32Backend final : public BackendImpl {
 public:
  Win32Backend() : ready_(win32::DesktopAvailable()) {
    if (!ready_) std::cerr << "Cannot open the display: no desktop to show windows on\n";
    CatchConsoleEvents();
  }

  ~Win32Backend() override {
    if (timer_) KillTimer(nullptr, timer_);
    win32::FreePointers();
  }

  bool Ready() const override { return ready_; }

  double NowMs() const override {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
        .count();
  }

  void Present(Form& form) override {
    if (!form.backendState) form.backendState = std::make_shared<win32::Window>(form);
    WindowOf(form)->Present();
  }

  void Hidden(Form& form) override {
    if (const win32::Window* window = WindowOf(form)) window->RememberPlacement();
    leaving_.Add(form);
  }

  void Destroyed(Form& form) override {
    if (win32::Window* window = WindowOf(form)) {
      window->RememberPlacement();
      window->Detach();
    }
    leaving_.Add(form);
    form.backendState.reset();
  }

  void FramesShown() override { leaving_.Leave(); }

  // Task-modal: every window of the program is disabled while the box is up, so no
  // handler of ours runs until it is closed, as on the other backends.
  void ShowMessageBox(const std::string& text, const std::string& title, MsgBoxIcon icon) override {
    const UINT type = icon == MsgBoxIcon::Exclamation   ? MB_ICONEXCLAMATION
                      : icon == MsgBoxIcon::Information ? MB_ICONINFORMATION
                                                        : 0;
    if (MessageBoxW(nullptr, win32::Widen(text).c_str(), win32::Widen(title).c_str(),
                    MB_OK | MB_TASKMODAL | MB_SETFOREGROUND | type) == 0)
      std::cerr << title << ": " << text << "\n";
  }

  void ToggleFullScreen(Form& form) override {
    if (win32::Window* window = WindowOf(form)) window->ToggleFullScreen();
  }

  std::string ClipboardText() const override {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(nullptr)) return {};
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
        text = chars;
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
    return win32::Narrow(text);
  }

  // Real pixels: the program declares itself aware of the monitor's scale.
  int ScreenWidth() const override { return GetSystemMetrics(SM_CXSCREEN); }
  int ScreenHeight() const override { return GetSystemMetrics(SM_CYSCREEN); }

  int Run() override {
    while (!EndRequested()) {
      RunPass();
      if (EndRequested()) break;
      WaitForMessages();
    }
    DestroyAllForms(true);
    return 0;
  }

 private:
  // The desktop's timer wakes the loop when the next timer of a form is due. Its tick is
  // the desktop's (1/64 s): a timer fires on the first tick at or after its due time, and
  // the forms' timers keep their beat from their due times.
  void ArmTimer() {
    const double due = NextTimerDueMs();
    if (due >= kNoTimerDue / 2) {
      if (timer_) KillTimer(nullptr, timer_);
      timer_ = 0;
      return;
    }
    const auto wait = static_cast<UINT>(std::max(std::ceil(due - NowMs()), 1.0));
    timer_ = SetTimer(nullptr, timer_, wait, nullptr);
  }

  // Sleeps in GetMessage until a message comes (a posted one, input, or the timer's), then
  // handles every message already queued.
  void WaitForMessages() {
    ArmTimer();
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {  // WM_QUIT, or the queue is gone
      EndProgram();
      return;
    }
    Dispatch(message);
    while (!EndRequested() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        EndProgram();
        return;
      }
      Dispatch(message);
    }
  }

  static void Dispatch(const MSG& message) {
    if (message.message == WM_TIMER && message.hwnd == nullptr) return;  // only a wake-up
    if (message.message == kSessionEndMessage && message.hwnd == nullptr) {
      EndSession();
      SetEvent(sessionSaved);
      return;
    }
    HandlerScope scope;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }

  bool ready_;
  UINT_PTR timer_ = 0;
  LeavingWindows<win32::Window> leaving_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace

}  // namespace platform::detail

namespace platform {
bool InitDesktop() {
  const bool ready = detail::UseBackend(std::make_unique<detail::Win32Backend>());
  wave_voices::SetBackend(wave_voices::WaveOutBackend::Device);  // the desktop's own
  return ready;
}
}  // namespace platform

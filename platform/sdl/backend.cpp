// SPDX-License-Identifier: MIT
// The SDL backend: real windows, the real clock, and an event loop that sleeps until the
// next timer is due or an event (input, a posted message) arrives.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <string>

#include "platform/backend.h"
#include "platform/loop/msg_box.h"
#include "platform/sdl/display_lost.h"
#include "platform/sdl/event_wait.h"
#include "platform/sdl/wave_out_device.h"
#include "platform/sdl/window.h"
#include "platform/ui/leaving_windows.h"

namespace platform::detail {
namespace {

SdlWindow* WindowOf(const Form& form) {
  return static_cast<SdlWindow*>(form.backendState.get());
}

Form* FormOfWindow(Uint32 windowId) {
  for (Form* form : LiveForms()) {
    const SdlWindow* window = WindowOf(*form);
    if (window && window->Id() == windowId) return form;
  }
  return nullptr;
}

int ButtonNumber(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT:
      return 1;
    case SDL_BUTTON_RIGHT:
      return 2;
    case SDL_BUTTON_MIDDLE:
      return 4;
    default:
      return 0;
  }
}

Key KeyOf(SDL_Keycode code) {
  switch (code) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return Key::Enter;
    case SDLK_ESCAPE:
      return Key::Escape;
    case SDLK_SPACE:
      return Key::Space;
    case SDLK_BACKSPACE:
      return Key::Backspace;
    case SDLK_DELETE:
      return Key::Delete;
    case SDLK_TAB:
      return Key::Tab;
    case SDLK_LEFT:
      return Key::Left;
    case SDLK_RIGHT:
      return Key::Right;
    case SDLK_UP:
      return Key::Up;
    case SDLK_DOWN:
      return Key::Down;
    case SDLK_F11:
      return Key::F11;
    case SDLK_a:
      return Key::A;
    case SDLK_m:
      return Key::M;
    case SDLK_v:
      return Key::V;
    case SDLK_HOME:
      return Key::Home;
    case SDLK_END:
      return Key::End;
    default:
      return Key::Other;
  }
}

class SdlBackend final : public BackendImpl {
 public:
  SdlBackend() {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    // A frame is one full-window picture composed in memory, so the renderer only copies
    // it: the software renderer on the window system's shared-memory framebuffer does
    // that at a fraction of the cost of a GL context, which on machines without a GPU
    // (or under Xvfb) is itself a software rasteriser. The environment may override both.
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Closing windows is the program's business: a close request is the screen's to answer
    // (Form::RequestClose), even for the last window, and a message box's closes as OK.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    EventWait::CatchQuitSignals();
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
      std::cerr << "Cannot open the display: " << SDL_GetError() << "\n";
      return;
    }
    if (!ShowsWindows()) {
      const char* display = SDL_getenv("DISPLAY");
      std::cerr << "Cannot open the display: no window system answered (DISPLAY is "
                << (display ? "\"" + std::string(display) + "\"" : std::string("not set")) << ")\n";
      SDL_Quit();
      return;
    }
    video_ = true;
    EndCleanlyWhenDisplayIsLost();
    wait_ = std::make_unique<EventWait>();
    SDL_StartTextInput();
  }

  ~SdlBackend() override {
    if (!video_) return;
    FreePointers();
    leaving_.Clear();
    SettleWithDisplay(wait_->XDisplay());
    wait_.reset();
    // The audio device's opener must not outlive SDL. One that never finishes is left
    // inside SDL's audio code, so SDL stays as it is: the process is ending anyway.
    if (wave_out_sdl::FinishOpening()) SDL_Quit();
  }

  bool Ready() const override { return video_; }

  double NowMs() const override {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
        .count();
  }

  void Present(Form& form) override {
    if (!video_) return;
    if (!form.backendState) {
      auto window = std::make_shared<SdlWindow>(form);
      wait_->Watch(window->Handle());
      form.backendState = window;
    }
    WindowOf(form)->Present(form);
    wait_->NeedPump();
  }

  void Hidden(Form& form) override {
    if (const SdlWindow* window = WindowOf(form)) window->RememberPlacement();
    leaving_.Add(form);
  }

  void Destroyed(Form& form) override {
    if (const SdlWindow* window = WindowOf(form)) window->RememberPlacement();
    leaving_.Add(form);
    form.backendState.reset();
  }

  void FramesShown() override { LetWindowsLeave(); }

  // Our own drawn box: SDL's draws with the X server's core fonts, which a machine may
  // not have, and shows no icon.
  void ShowMessageBox(const std::string& text, const std::string& title, MsgBoxIcon icon) override {
    if (!video_) {
      std::cerr << title << ": " << text << "\n";
      return;
    }
    RunMsgBox(text, title, icon, [this](MsgBoxForm& box) { WaitInMsgBox(box); });
  }

  int ScreenWidth() const override { return DisplaySize().w; }
  int ScreenHeight() const override { return DisplaySize().h; }

  void Wake() override {
    if (wait_) wait_->Wake();
  }

  int Run() override {
    if (!video_) return 1;
    while (!EndRequested()) {
      KeepOwnErrorHandler();
      RunPass();
      CloseGoneWindows(nullptr);  // drawing into one is what may have told
      if (EndRequested()) break;
      WaitForEvents();
    }
    DestroyAllForms(true);
    return 0;
  }

 private:
  // Without a window system SDL falls back to windows that exist only in memory, and the
  // program would run on unseen. Those drivers are for whoever asks for them by name.
  static bool ShowsWindows() {
    const std::string driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    return (driver != "offscreen" && driver != "dummy") || (asked && driver == asked);
  }

  SDL_DisplayMode DisplaySize() const {
    SDL_DisplayMode mode{};
    if (!video_ || SDL_GetDesktopDisplayMode(0, &mode) != 0) mode.w = 1024, mode.h = 768;
    return mode;
  }

  // Sleeps until the next timer is due or an event arrives, then handles what came.
  void WaitForEvents() {
    const double wait = NextTimerDueMs() - NowMs();
    const double timeout = wait >= kNoTimerDue / 2 ? -1 : std::max(wait, 0.0);
    SDL_Event event;
    if (!wait_->Next(event, timeout)) return;
    do Handle(event);
    while (!EndRequested() && wait_->Next(event, 0));
  }

  // The message box's loop: it sleeps until an event comes, with no timer to wake it, and
  // handles what came. Closing the box's window is its OK; the other windows wait.
  void WaitInMsgBox(MsgBoxForm& box) {
    const SdlWindow* window = WindowOf(box);
    if (!window || !window->Ok()) {  // no window for it: the text goes where it can be read
      std::cerr << box.Caption() << ": " << box.lblText.DisplayText() << "\n";
      box.Close();
      return;
    }
    SDL_Event event;
    if (!wait_->Next(event, -1)) return;
    do {
      if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE) {
        if (FormOfWindow(event.window.windowID) == &box) box.OkClick();
      } else {
        Handle(event);
      }
    } while (box.Visible() && !EndRequested() && wait_->Next(event, 0));
  }

  // A window that went away under a held button would take the button's release with it:
  // the display ends the press's grab with the window and sends the release elsewhere, and
  // SDL, still seeing the button down, drops the next press as a repeat. So a window
  // hidden or closed by a press (the menu's buttons) stays until the button is up.
  void LetWindowsLeave() {
    if (leaving_.Empty()) return;
    const bool held = SDL_GetMouseState(nullptr, nullptr) != 0;
    leaving_.Leave(
        [held](const SdlWindow& window) { return held && SDL_GetMouseFocus() == window.Handle(); });
  }

  // A window another program destroyed is closed as the window manager's close would.
  void CloseGoneWindows(const SDL_Event* event) {
    for (const std::uint64_t gone : TakeGoneWindows(event)) {
      const std::vector<Form*> forms = LiveForms();
      const auto form = std::find_if(forms.begin(), forms.end(), [gone](const Form* f) {
        const SdlWindow* window = WindowOf(*f);
        return window && SystemWindowOf(window->Handle()) == gone;
      });
      if (form != forms.end()) (*form)->RequestClose();
    }
  }

  void Handle(const SDL_Event& event) {
    switch (event.type) {
      case SDL_QUIT:  // a signal, or the desktop's own end of the session
        EndSession();
        break;
      case SDL_SYSWMEVENT:
        CloseGoneWindows(&event);
        break;
      case SDL_WINDOWEVENT:
        HandleWindowEvent(event.window);
        break;
      case SDL_MOUSEBUTTONDOWN:
        HandlePress(event.button);
        break;
      case SDL_MOUSEMOTION:
        if (Form* form = FormOfWindow(event.motion.windowID))
          SetPointerFor(form->HitControl(event.motion.x, event.motion.y));
        break;
      case SDL_TEXTINPUT:
        if (Form* form = FormOfWindow(event.text.windowID)) form->DeliverText(event.text.text);
        break;
      case SDL_KEYDOWN:
        HandleKey(event.key);
        break;
      default:
        break;  // the wake-up event only ends the wait
    }
  }

  // Positions arrive in logical pixels; presses on the bars around a scaled picture are
  // outside the form and go nowhere.
  void HandlePress(const SDL_MouseButtonEvent& press) {
    Form* form = FormOfWindow(press.windowID);
    const int button = ButtonNumber(press.button);
    if (!form || !button || press.x < 0 || press.y < 0 || press.x >= form->ClientWidth() ||
        press.y >= form->ClientHeight())
      return;
    form->DeliverPress(button, float(press.x), float(press.y));
  }

  void HandleKey(const SDL_KeyboardEvent& key) {
    Form* form = FormOfWindow(key.windowID);
    if (!form) return;
    const Key pressed = KeyOf(key.keysym.sym);
    const int shift = ((key.keysym.mod & KMOD_SHIFT) ? kShiftMask : 0) |
                      ((key.keysym.mod & KMOD_CTRL) ? kCtrlMask : 0) |
                      ((key.keysym.mod & KMOD_ALT) ? kAltMask : 0);
    form->DeliverKey(pressed, shift);
  }

  void ToggleFullScreen(Form& form) override {
    if (SdlWindow* window = WindowOf(form)) window->ToggleFullScreen();
  }

  std::string ClipboardText() const override {
    if (!SDL_HasClipboardText()) return {};
    char* text = SDL_GetClipboardText();
    std::string copy = text ? text : "";
    SDL_free(text);
    return copy;
  }

  void HandleWindowEvent(const SDL_WindowEvent& event) {
    Form* form = FormOfWindow(event.windowID);
    if (!form) return;
    switch (event.event) {
      case SDL_WINDOWEVENT_CLOSE:
        form->RequestClose();
        break;
      case SDL_WINDOWEVENT_FOCUS_GAINED:
        SetActiveForm(form);
        break;
      case SDL_WINDOWEVENT_EXPOSED:
      case SDL_WINDOWEVENT_SIZE_CHANGED:
        form->MarkDirty();
        break;
      default:
        break;
    }
  }

  bool video_ = false;
  std::unique_ptr<EventWait> wait_;
  LeavingWindows<SdlWindow> leaving_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace

}  // namespace platform::detail

namespace platform {
namespace {

// However the process ends (an exit() in any library, a return from main), the audio
// thread stops reading the sounds' samples before the exit destroys them.
void StopReadingSounds() {
  wave_out_mixer::StopReading();
}

}  // namespace

bool InitDesktop() {
  static const bool hooked =
      std::atexit(StopReadingSounds) == 0 && std::at_quick_exit(StopReadingSounds) == 0;
  (void)hooked;
  const bool ready = detail::UseBackend(std::make_unique<detail::SdlBackend>());
  detail::UseAudioDevice(&wave_out_sdl::AudioDevice());
  return ready;
}
}  // namespace platform

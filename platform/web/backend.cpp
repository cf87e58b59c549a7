// SPDX-License-Identifier: MIT
// The web backend: the page is the desktop (desktop.h), time is the browser's clock, and
// between passes the program gives the browser its turn until the next timer is due or an
// event comes. Waits inside a handler (a yield, a message box) keep the handler's stack
// (the build's Asyncify), so the game's code runs as on the desktop.
#include <emscripten.h>

#include <algorithm>
#include <iostream>

#include "platform/backend.h"
#include "platform/loop/msg_box.h"
#include "platform/ui/leaving_windows.h"
#include "platform/web/audio_device.h"
#include "platform/web/desktop.h"
#include "platform/web/page.h"

namespace platform::detail {
namespace {

enum PointerKind { kArrow, kHand, kCustom };
constexpr int kTap = 8;  // a press from a touch screen

// The browser's name of a key (KeyboardEvent.key) as the screens know it.
Key KeyOf(const std::string& name) {
  static const std::pair<const char*, Key> kNames[] = {{"Enter", Key::Enter},
                                                       {"Escape", Key::Escape},
                                                       {" ", Key::Space},
                                                       {"Tab", Key::Tab},
                                                       {"Backspace", Key::Backspace},
                                                       {"Delete", Key::Delete},
                                                       {"ArrowLeft", Key::Left},
                                                       {"ArrowRight", Key::Right},
                                                       {"ArrowUp", Key::Up},
                                                       {"ArrowDown", Key::Down},
                                                       {"Home", Key::Home},
                                                       {"End", Key::End},
                                                       {"F11", Key::F11},
                                                       {"a", Key::A},
                                                       {"A", Key::A},
                                                       {"m", Key::M},
                                                       {"M", Key::M},
                                                       {"v", Key::V},
                                                       {"V", Key::V}};
  for (const auto& [known, key] : kNames)
    if (name == known) return key;
  return Key::Other;
}

class WebBackend;
WebBackend* running = nullptr;  // for the page's calls

class WebBackend final : public BackendImpl {
 public:
  WebBackend() { running = this; }
  ~WebBackend() override { running = nullptr; }

  double NowMs() const override { return web::Now() - start_ + skippedMs_; }

  // While the page goes nobody sees a frame: the passes that finish a move run undrawn.
  void Present(Form& form) override {
    if (!hiding_) desktop_.Present(form);
  }
  void Hidden(Form& form) override { desktop_.Leave(form); }
  void Destroyed(Form& form) override {
    desktop_.Leave(form);
    form.backendState.reset();
  }
  void FramesShown() override {
    if (hiding_) return;
    desktop_.Compose();
    FollowFocus();
  }

  void ShowMessageBox(const std::string& text, const std::string& title, MsgBoxIcon icon) override {
    if (hiding_) {  // the page is going: nobody could answer it
      std::cerr << title << ": " << text << "\n";
      return;
    }
    RunMsgBox(text, title, icon, [this](MsgBoxForm& box) { WaitInMsgBox(box); });
  }

  int ScreenWidth() const override { return web::kDesktopWidth; }
  int ScreenHeight() const override { return web::kDesktopHeight; }
  void Wake() override { web::Wake(); }

  int Run() override {
    while (!EndRequested()) {
      RunPass();
      if (EndRequested()) break;
      WaitForEvents();
    }
    DestroyAllForms(true);
    web::Ended();
    return 0;
  }

  // A yield shows its frame before the handler goes on, as a desktop window does at once.
  void Yielded() override {
    if (!hiding_) web::WaitForFrame();
  }

 private:
  void WaitForEvents() {
    const double wait = NextTimerDueMs() - NowMs();
    if (wait > 0) web::WaitForEvent(wait >= kNoTimerDue / 2 ? -1 : wait);
    web::PageEvent event;
    while (!EndRequested() && web::NextEvent(event)) Handle(event);
  }

  // Only the box takes input meanwhile (the forms see to that); no timer ticks.
  void WaitInMsgBox(MsgBoxForm& box) {
    PresentDirtyForms();  // the box's frame reaches the desktop only with the pass's others
    web::WaitForEvent(-1);
    web::PageEvent event;
    while (box.Visible() && !EndRequested() && web::NextEvent(event)) Handle(event);
  }

  void Handle(const web::PageEvent& event) {
    switch (event.type) {
      case web::EventType::Press:
        HandlePress(event);
        break;
      case web::EventType::Move:
        HandleMove(event);
        break;
      case web::EventType::Key:
        if (Form* form = KeyForm()) form->DeliverKey(KeyOf(event.text), event.button);
        break;
      case web::EventType::Text:
        if (Form* form = KeyForm()) form->DeliverText(event.text);
        break;
      case web::EventType::None:
        break;
    }
  }

  void HandlePress(const web::PageEvent& event) {
    int x = 0, y = 0;
    Form* form = desktop_.FormAt(event.x, event.y, x, y);
    if (!form || !event.button) return;
    if (!ModalForm()) SetActiveForm(form);
    int button = event.button;
    if (button == kTap) button = form->ControlAt(x, y) ? 1 : form->TapButton(float(x), float(y));
    form->DeliverPress(button, float(x), float(y));
  }

  void HandleMove(const web::PageEvent& event) {
    int x = 0, y = 0;
    const Form* form = desktop_.FormAt(event.x, event.y, x, y);
    const Control* control = form ? form->HitControl(x, y) : nullptr;
    if (!control || control->Pointer() == MousePointer::Default) return SetPointer(kArrow, {});
    if (control->Pointer() == MousePointer::Custom && !control->MouseIcon().empty())
      return SetPointer(kCustom, control->MouseIcon());
    SetPointer(kHand, {});
  }

  void SetPointer(PointerKind kind, const gfx::Surface& picture) {
    if (kind == pointer_ && (kind != kCustom || picture == pointerPicture_)) return;
    pointer_ = kind;
    pointerPicture_ = picture;
    std::vector<std::uint8_t> rgba;
    if (kind == kCustom) {
      const gfx::Pixel transparent = picture.at(0, 0);
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
          const bool inside = x < picture.width() && y < picture.height();
          const gfx::Pixel p = inside ? picture.at(x, y) : transparent;
          rgba.insert(rgba.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p),
                                   std::uint8_t(p == transparent ? 0 : 255)});
        }
    }
    web::SetPointer(kind, rgba.empty() ? nullptr : rgba.data());
  }

  // Keys go to the modal box, else to the form last pressed, else to the front one.
  Form* KeyForm() const {
    if (Form* modal = ModalForm()) return modal;
    Form* active = ActiveForm();
    return active && active->Visible() ? active : desktop_.Front();
  }

  void FollowFocus() {
    const Form* form = KeyForm();
    const bool wanted = form && form->FocusedTextBox();
    if (wanted != keyboard_) web::WantKeyboard(keyboard_ = wanted);
  }

 public:
  // Closing or reloading the tab is the window close of every screen shown, and what
  // those closes start (a move that must end first, the saves) runs to its end at once,
  // its timers fired in order without waiting for the clock.
  void CloseForPageHide() {
    hiding_ = true;
    std::vector<Form*> closing;
    for (Form* form : LiveForms())
      if (form->Visible() && form != ModalForm()) closing.push_back(form);
    for (Form* form : closing) {
      if (!StillShown(form)) continue;
      form->RequestClose();
      RunPass();
    }
    for (int i = 0; i < kPageHidePasses && !EndRequested(); ++i) {
      if (MessagesPending()) {
        RunPass();
        continue;
      }
      const double next = NextTimerDueMs();
      if (next >= kNoTimerDue / 2 || std::none_of(closing.begin(), closing.end(), StillShown))
        break;
      skippedMs_ += std::max(next - NowMs(), 0.0);
      RunPass();
    }
    hiding_ = false;
  }

 private:
  static bool StillShown(const Form* form) {
    const auto& live = LiveForms();
    return std::find(live.begin(), live.end(), form) != live.end() && form->Visible() &&
           !form->Closing();
  }

  static constexpr int kPageHidePasses = 20000;
  web::Desktop desktop_;
  PointerKind pointer_ = kArrow;
  gfx::Surface pointerPicture_;
  bool keyboard_ = false;
  bool hiding_ = false;
  double start_ = web::Now();
  double skippedMs_ = 0;
};

}  // namespace
}  // namespace platform::detail

// The page is going (page.js, on page-hide): called while the program waits.
extern "C" EMSCRIPTEN_KEEPALIVE void zt_page_hide() {
  if (platform::detail::running) platform::detail::running->CloseForPageHide();
}

namespace platform {
bool InitDesktop() {
  const bool ready = detail::UseBackend(std::make_unique<detail::WebBackend>());
  detail::UseAudioDevice(&web::WebAudioDevice());
  return ready;
}
}  // namespace platform

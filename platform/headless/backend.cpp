// SPDX-License-Identifier: MIT
// The headless backend and its test driver: no windows, a virtual clock that only moves
// when a test advances it, and a record of what would have been shown.
#include <algorithm>
#include <iostream>

#include "platform/backend.h"
#include "platform/headless/headless.h"
#include "platform/loop/msg_box.h"
#include "platform/winmm/wave_out_mixer.h"

namespace platform {
namespace {

struct HeadlessState {
  double clockMs = 0;
  int screenWidth = 1024, screenHeight = 768;
  int presents = 0;
  std::string clipboard;
  int fullScreenToggles = 0;
  std::vector<headless::MessageBoxRecord> messageBoxes;
  std::function<void(MsgBoxForm&)> answer;
};
HeadlessState state;

class HeadlessBackend final : public detail::BackendImpl {
 public:
  double NowMs() const override { return state.clockMs; }
  // Nobody looks at a headless window, so a present only counts; a frame is composed
  // when a test reads one (Frame), which keeps long simulated games fast.
  void Present(Form& /*form*/) override { ++state.presents; }
  void ShowMessageBox(const std::string& text, const std::string& title, MsgBoxIcon icon) override {
    state.messageBoxes.push_back({text, title, icon});
    std::cerr << title << ": " << text << "\n";
    detail::RunMsgBox(text, title, icon, [](MsgBoxForm& box) {
      if (state.answer) {
        const auto answer = state.answer;  // it may set another
        answer(box);
      }
      if (box.Visible()) box.OkClick();
    });
  }
  std::string ClipboardText() const override { return state.clipboard; }
  void ToggleFullScreen(Form& /*form*/) override { ++state.fullScreenToggles; }
  int ScreenWidth() const override { return state.screenWidth; }
  int ScreenHeight() const override { return state.screenHeight; }
  // Runs virtual time until the program ends or nothing is left to happen.
  int Run() override {
    while (!EndRequested()) {
      const double next = detail::NextTimerDueMs();
      if (next == detail::kNoTimerDue && !detail::MessagesPending()) break;
      headless::AdvanceMs(next == detail::kNoTimerDue ? 0 : std::max(next - state.clockMs, 0.0));
    }
    detail::DestroyAllForms(true);
    return 0;
  }
};

// What every driver call ends with: the pass of the loop after an event.
void FinishEvent() {
  detail::DeliverPostedMessages();
  detail::PresentDirtyForms();
  detail::CollectClosedForms();
}

}  // namespace

namespace headless {

bool Init() {
  const bool ready = detail::UseBackend(std::make_unique<HeadlessBackend>());
  detail::UseAudioDevice(nullptr);  // test devices, finished by hand
  return ready;
}

void AdvanceMs(double ms) {
  const double target = state.clockMs + std::max(ms, 0.0);
  FinishEvent();
  while (!EndRequested()) {
    const double next = detail::NextTimerDueMs();
    if (next > target) break;
    state.clockMs = std::max(state.clockMs, next);
    if (detail::FireDueTimers(state.clockMs) == 0) break;  // a message box holds them
    FinishEvent();
  }
  state.clockMs = target;
  FinishEvent();
}

void RunTicks(Timer& timer, int count) {
  // Each step ends at the timer's due time, so it fires once per step. A tick may close
  // the form and so destroy the timer: check that it still runs before every step.
  const Form* owner = &timer.Owner();
  for (int i = 0; i < count && !EndRequested(); ++i) {
    const auto& forms = detail::LiveForms();
    if (std::find(forms.begin(), forms.end(), owner) == forms.end() || owner->Closing()) return;
    if (!timer.Enabled() || timer.Interval() <= 0 || !owner->Loaded()) return;
    AdvanceMs(std::max(timer.DueMs() - state.clockMs, 0.0));
  }
}

void Press(Form& form, int button, float x, float y) {
  form.DeliverPress(button, x, y);
  FinishEvent();
}

void Click(Form& form, int x, int y) {
  Press(form, 1, float(x), float(y));
}

void Type(const std::string& utf8) {
  if (Form* form = detail::ActiveForm()) form->DeliverText(utf8);
  FinishEvent();
}

void PressKey(Key key, int shift) {
  if (Form* form = detail::ActiveForm()) form->DeliverKey(key, shift);
  FinishEvent();
}

void RequestClose(Form& form) {
  form.RequestClose();
  FinishEvent();
}

gfx::Surface Frame(const Form& form) {
  return form.Compose();
}

const std::vector<MessageBoxRecord>& MessageBoxes() {
  return state.messageBoxes;
}
void ClearMessageBoxes() {
  state.messageBoxes.clear();
}
void AnswerMessageBoxes(std::function<void(MsgBoxForm& box)> answer) {
  state.answer = std::move(answer);
}

void SetClipboardText(const std::string& text) {
  state.clipboard = text;
}

void SetScreenSize(int width, int height) {
  state.screenWidth = width;
  state.screenHeight = height;
}

int FullScreenToggles() {
  return state.fullScreenToggles;
}

int PresentCount() {
  return state.presents;
}
bool Ended() {
  return EndRequested();
}

void Reset() {
  detail::DestroyAllForms(false);
  detail::DestroyAllMessageWindows();
  detail::ResetEndRequest();
  detail::SetActiveForm(nullptr);
  state = HeadlessState{};
}

}  // namespace headless
}  // namespace platform

// SPDX-License-Identifier: MIT
// The seam between the window-system layer and the backends that stand behind it: the
// desktop backend (real windows: sdl/ on Linux, win32/ on Windows) or the headless test
// driver (in headless/).
// Also the pieces of one pass of the event loop that every backend shares.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/loop/system.h"
#include "platform/ui/form.h"

namespace platform::detail {

class BackendImpl {
 public:
  virtual ~BackendImpl() = default;
  // Whether it can show windows at all.
  virtual bool Ready() const { return true; }
  virtual double NowMs() const = 0;
  // Shows the form's newly composed frame (creating its window on the first present).
  virtual void Present(Form& form) = 0;
  // The form stopped being visible (hidden or closed).
  virtual void Hidden(Form& /*form*/) {}
  // The form object is about to be destroyed: release what belongs to it.
  virtual void Destroyed(Form& /*form*/) {}
  // Every frame presented in this pass is on the screen: the windows of forms hidden or
  // destroyed meanwhile may go now, so that a screen replacing another is there first.
  virtual void FramesShown() {}
  // DoEvents has presented its frames: a backend whose frames reach the screen only when
  // the program gives the system its turn (a browser's) gives it here.
  virtual void Yielded() {}
  virtual void ShowMessageBox(const std::string& text, const std::string& title,
                              MsgBoxIcon icon) = 0;
  // F11 and Alt+Enter: the form's window fills its screen, or is a window again.
  virtual void ToggleFullScreen(Form& /*form*/) {}
  // The text on the desktop's clipboard (empty when it holds none).
  virtual std::string ClipboardText() const { return {}; }
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  // A message was posted (from any thread): wake the loop if it sleeps.
  virtual void Wake() {}
  virtual int Run() = 0;
};

// The chosen backend; calling it before one is chosen aborts with a message.
BackendImpl& CurrentBackend();
// The chosen backend or nullptr, for what may run after Shutdown (a form its caller owns
// destroyed late, a post from another thread).
BackendImpl* ChosenBackend();
// Makes the backend current, shutting the previous one down first. What a backend's own
// Init calls; false when it cannot show windows.
bool UseBackend(std::unique_ptr<BackendImpl> backend);
// Makes chosen (or none) the backend and returns the previous one, without shutting
// anything down: for UseBackend and Shutdown.
BackendImpl* ReplaceChosenBackend(BackendImpl* chosen);
// The first call in a run returns true: the session's end is being handled now.
bool MarkSessionEnding();

// Every form object alive, in creation order.
const std::vector<Form*>& LiveForms();
void AddLiveForm(Form* form);
void RemoveLiveForm(Form* form);
// Whether the live form whose backend state this is (its window) is visible; false when
// no live form has it.
bool FormShowing(const void* backendState);

// The form that last received input or was shown: typed text goes to it.
Form* ActiveForm();
void SetActiveForm(Form* form);

// The form shown modally (a message box), or nullptr: while there is one, only it takes
// input and no timer ticks. The scope shows one modally and restores what was before.
Form* ModalForm();
class ModalScope {
 public:
  explicit ModalScope(Form& form);
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  Form* previousModal_;
  Form* previousActive_;
};

// Handler depth: a form closed inside a handler is destroyed only at a safe point, when
// no handler is running any more.
class HandlerScope {
 public:
  HandlerScope();
  ~HandlerScope();
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;
};
bool InHandler();
// Takes a closed form out of the instance registry; it is destroyed by CollectClosedForms.
// False when the form is not a registered instance (a form the caller owns).
bool RetireInstance(Form* form);
// Destroys closed forms, unless a handler is running.
void CollectClosedForms();
// Destroys every registered form (closing the loaded ones first when orderly is true).
void DestroyAllForms(bool orderly);

// Timers.
// Fires every enabled timer of a loaded, open form that is due at nowMs, once each, in
// order of due time. A late timer fires once and its next period starts from now. None
// fires while a modal form is shown.
int FireDueTimers(double nowMs);
// The earliest due time of a running timer; a huge value when none runs.
double NextTimerDueMs();
// Starts the period of the form's enabled timers (when it loads).
void StartFormTimers(Form& form);
constexpr double kNoTimerDue = 1e300;

// Posted messages.
// Delivers the messages queued so far; returns how many were delivered.
int DeliverPostedMessages();
bool MessagesPending();
void DestroyAllMessageWindows();

// Presents every visible form whose frame changed; returns how many were presented.
int PresentDirtyForms();

// One pass of the loop at the current time: messages, due timers, presents, cleanup.
void RunPass();

void ResetEndRequest();

}  // namespace platform::detail

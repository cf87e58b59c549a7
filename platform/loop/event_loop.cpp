// SPDX-License-Identifier: MIT
// The parts of the event loop that both backends share.
#include "platform/backend.h"

namespace platform {

void EndSession() {
  if (!detail::MarkSessionEnding()) return;  // once per run
  {
    detail::HandlerScope scope;  // a form that closes now is destroyed at the end
    const std::vector<Form*> forms = detail::LiveForms();
    for (Form* form : forms)
      if (form->Loaded() && !form->Closing()) form->SessionEnds();
  }
  EndProgram();
}

void DoEvents() {
  detail::DeliverPostedMessages();
  if (detail::PresentDirtyForms() > 0) detail::CurrentBackend().Yielded();
}

int Run() {
  return detail::CurrentBackend().Run();
}

namespace detail {

int PresentDirtyForms() {
  int presented = 0;
  const std::vector<Form*> forms = LiveForms();  // presenting never closes a form
  for (Form* form : forms) {
    if (!form->Visible() || form->Closing() || !form->NeedsPresent()) continue;
    CurrentBackend().Present(*form);
    form->MarkPresented();
    ++presented;
  }
  CurrentBackend().FramesShown();
  return presented;
}

void RunPass() {
  DeliverPostedMessages();
  if (!EndRequested()) FireDueTimers(NowMs());
  PresentDirtyForms();
  CollectClosedForms();
}

}  // namespace detail
}  // namespace platform

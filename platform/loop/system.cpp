// SPDX-License-Identifier: MIT
// Choosing the backend, and the services that are not windows: message boxes and the
// screen size.
#include <cstdio>
#include <memory>

#include "platform/backend.h"
#include "platform/loop/system.h"

namespace platform {
namespace detail {
bool UseBackend(std::unique_ptr<BackendImpl> chosen) {
  Shutdown();
  ReplaceChosenBackend(chosen.release());
  return CurrentBackend().Ready();
}
}  // namespace detail

void Shutdown() {
  detail::BackendImpl* backend = detail::ChosenBackend();
  if (!backend) return;
  detail::DestroyAllForms(false);
  detail::DestroyAllMessageWindows();
  detail::ResetEndRequest();
  for (Form* form : detail::LiveForms()) {  // forms their callers own outlive the backend
    backend->Destroyed(*form);
    form->backendData = nullptr;
    form->backendState.reset();
  }
  delete detail::ReplaceChosenBackend(nullptr);
}

void MsgBox(const std::string& text, const std::string& title, MsgBoxIcon icon) {
  if (SessionEnding()) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    return;
  }
  detail::CurrentBackend().ShowMessageBox(text, title, icon);
}

int ScreenWidth() {
  return detail::CurrentBackend().ScreenWidth();
}
int ScreenHeight() {
  return detail::CurrentBackend().ScreenHeight();
}

}  // namespace platform

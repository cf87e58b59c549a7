// SPDX-License-Identifier: MIT
// Choosing the backend, and the services that are not windows: message boxes and the
// screen size.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/backend.h"
#include "platform/loop/system.h"

namespace platform {
namespace detail {
namespace {
// Not destroyed at exit, so forms that outlive static destruction still find it.
BackendImpl* backend = nullptr;
}  // namespace

BackendImpl* ChosenBackend() {
  return backend;
}

BackendImpl& CurrentBackend() {
  // A call before a backend is chosen is a bug in the caller: running headless instead
  // would hide it.
  if (!backend) {
    std::fputs("platform: called before a backend was chosen (InitDesktop or headless::Init)\n",
               stderr);
    std::abort();
  }
  return *backend;
}

bool UseBackend(std::unique_ptr<BackendImpl> chosen) {
  Shutdown();
  backend = chosen.release();
  return backend->Ready();
}
}  // namespace detail

void Shutdown() {
  if (!detail::backend) return;
  detail::DestroyAllForms(false);
  detail::DestroyAllMessageWindows();
  detail::ResetEndRequest();
  for (Form* form : detail::LiveForms()) {  // forms their callers own outlive the backend
    detail::backend->Destroyed(*form);
    form->backendData = nullptr;
    form->backendState.reset();
  }
  delete detail::backend;
  detail::backend = nullptr;
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

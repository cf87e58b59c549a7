// Choosing the backend, and the services that are not windows: message boxes, the
// screen size and the program folder.
#include <iostream>
#include <memory>
#include <optional>

#include "platform/backend.h"
#include "platform/system.h"

namespace platform {
namespace detail {
std::unique_ptr<BackendImpl> MakeHeadlessBackend();
std::unique_ptr<BackendImpl> MakeDesktopBackend();

namespace {
// Not destroyed at exit, so forms that outlive static destruction still find it.
BackendImpl* backend = nullptr;
std::optional<std::filesystem::path> programFolder;
}  // namespace

BackendImpl& CurrentBackend() {
  // Without Init the platform runs headless, so library code used from tests and tools
  // never meets a missing backend.
  if (!backend) backend = MakeHeadlessBackend().release();
  return *backend;
}
}  // namespace detail

bool Init(Backend kind) {
  Shutdown();
  detail::backend =
      (kind == Backend::Desktop ? detail::MakeDesktopBackend() : detail::MakeHeadlessBackend())
          .release();
  return detail::backend->Ready();
}

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
  detail::CurrentBackend().ShowMessageBox(text, title, icon);
}

int ScreenWidth() {
  return detail::CurrentBackend().ScreenWidth();
}
int ScreenHeight() {
  return detail::CurrentBackend().ScreenHeight();
}

std::filesystem::path ProgramFolder() {
  if (!detail::programFolder) {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    detail::programFolder = error ? std::filesystem::current_path(error) : exe.parent_path();
  }
  return *detail::programFolder;
}

void SetProgramFolder(const std::filesystem::path& folder) {
  detail::programFolder = folder;
}

}  // namespace platform

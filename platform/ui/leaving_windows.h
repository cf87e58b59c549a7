// SPDX-License-Identifier: MIT
// The windows of forms hidden or closed during a pass of the event loop, in the backends
// that show real windows. They leave the screen only once the pass's frames are on it
// (BackendImpl::FramesShown), so that a screen replacing another is there before the other
// goes; the window of a closed form is held only here until then.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/backend.h"

namespace platform::detail {

template <typename Window>
class LeavingWindows {
 public:
  // The form's window, if it has one, leaves at the next Leave().
  void Add(const Form& form) {
    if (!form.backendState) return;
    auto window = std::static_pointer_cast<Window>(form.backendState);
    if (std::find(windows_.begin(), windows_.end(), window) == windows_.end())
      windows_.push_back(std::move(window));
  }

  // Hides each window whose form has not been shown again meanwhile and lets go of it,
  // but for those that stay(window) keeps for a later pass.
  template <typename Stay>
  void Leave(Stay stay) {
    std::vector<std::shared_ptr<Window>> staying;
    for (auto& window : windows_) {
      if (stay(*window))
        staying.push_back(std::move(window));
      else if (window.use_count() > 1 && !FormShowing(window.get()))
        window->Hide();
    }
    windows_ = std::move(staying);
  }
  void Leave() {
    Leave([](const Window&) { return false; });
  }

  bool Empty() const { return windows_.empty(); }
  void Clear() { windows_.clear(); }

 private:
  std::vector<std::shared_ptr<Window>> windows_;
};

}  // namespace platform::detail

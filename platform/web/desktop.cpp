// SPDX-License-Identifier: MIT
#include "platform/web/desktop.h"

#include <algorithm>

#include "platform/backend.h"
#include "platform/web/page.h"

namespace platform::web {

WebWindow* Desktop::WindowOf(const Form& form) {
  return static_cast<WebWindow*>(form.backendState.get());
}

void Desktop::Present(Form& form) {
  if (!form.backendState) form.backendState = std::make_shared<WebWindow>();
  WebWindow& window = *WindowOf(form);
  form.ComposeInto(window.frame);
  if (!window.shown) {
    window.shown = true;
    window.raised = ++raises_;
  }
  changed_ = true;
}

void Desktop::Leave(Form& form) {
  if (WebWindow* window = WindowOf(form); window && window->shown) {
    window->shown = false;
    changed_ = true;
  }
}

std::vector<Form*> Desktop::ShownFrontToBack() const {
  std::vector<Form*> shown;
  for (Form* form : detail::LiveForms()) {
    const WebWindow* window = WindowOf(*form);
    if (window && window->shown && form->Visible() && !window->frame.empty()) shown.push_back(form);
  }
  std::sort(shown.begin(), shown.end(), [](const Form* a, const Form* b) {
    return WindowOf(*a)->raised > WindowOf(*b)->raised;
  });
  return shown;
}

void Desktop::Compose() {
  if (!changed_) return;
  changed_ = false;
  const std::vector<Form*> shown = ShownFrontToBack();
  if (shown.empty()) return;
  const Form& back = *shown.back();
  if (back.ClientWidth() < kDesktopWidth || back.ClientHeight() < kDesktopHeight)
    std::fill(rgba_.begin(), rgba_.end(), 0xFF000000u);
  for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
    const gfx::Surface& frame = WindowOf(**it)->frame;
    const int left = LeftOf(**it), top = TopOf(**it);
    const int x0 = std::max(0, -left), x1 = std::min(frame.width(), kDesktopWidth - left);
    for (int y = std::max(0, -top); y < frame.height() && top + y < kDesktopHeight; ++y) {
      const gfx::Pixel* source = frame.row(y);
      std::uint32_t* target = &rgba_[std::size_t(top + y) * kDesktopWidth + left];
      // 0x00RRGGBB to the bytes R, G, B, A in memory.
      for (int x = x0; x < x1; ++x) {
        const gfx::Pixel p = source[x];
        target[x] = 0xFF000000u | (p & 0xFFu) << 16 | (p & 0xFF00u) | (p >> 16 & 0xFFu);
      }
    }
  }
  ShowFrame(reinterpret_cast<const std::uint8_t*>(rgba_.data()), kDesktopWidth, kDesktopHeight);
  SetTitle(shown.front()->Caption());
}

Form* Desktop::FormAt(int x, int y, int& formX, int& formY) const {
  for (Form* form : ShownFrontToBack()) {
    formX = x - LeftOf(*form);
    formY = y - TopOf(*form);
    if (formX >= 0 && formY >= 0 && formX < form->ClientWidth() && formY < form->ClientHeight())
      return form;
  }
  return nullptr;
}

Form* Desktop::Front() const {
  const std::vector<Form*> shown = ShownFrontToBack();
  return shown.empty() ? nullptr : shown.front();
}

}  // namespace platform::web

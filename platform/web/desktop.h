// SPDX-License-Identifier: MIT
// The page's desktop in the web backend: every visible form is a window on one 1024 x 768
// picture, centred over what lies beneath, the most recently shown on top. The picture is
// composed once per pass and handed to the page, which draws it at its next display frame.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ui/form.h"

namespace platform::web {

constexpr int kDesktopWidth = 1024, kDesktopHeight = 768;

struct WebWindow {
  gfx::Surface frame;
  std::uint64_t raised = 0;  // larger is nearer the front
  bool shown = false;
};

class Desktop {
 public:
  // Keeps the form's new frame, raising its window when it was not shown.
  void Present(Form& form);
  // The form's window leaves the desktop at the next Compose.
  void Leave(Form& form);
  // Hands the page the desktop if anything changed (the page reads it at its next display
  // frame, so a later pass's picture may take its place). With no window shown the last picture
  // stays: a screen replacing another in a later pass is never preceded by a blank one.
  void Compose();
  // The form whose window is frontmost at a desktop pixel, and that pixel in the form.
  Form* FormAt(int x, int y, int& formX, int& formY) const;
  // The frontmost shown form.
  Form* Front() const;

 private:
  static WebWindow* WindowOf(const Form& form);
  static int LeftOf(const Form& form) { return (kDesktopWidth - form.ClientWidth()) / 2; }
  static int TopOf(const Form& form) { return (kDesktopHeight - form.ClientHeight()) / 2; }
  std::vector<Form*> ShownFrontToBack() const;

  // RGBA as the page's canvas takes it, one word a pixel.
  std::vector<std::uint32_t> rgba_ =
      std::vector<std::uint32_t>(std::size_t{kDesktopWidth} * kDesktopHeight, 0xFF000000u);
  std::uint64_t raises_ = 0;
  bool changed_ = false;
};

}  // namespace platform::web

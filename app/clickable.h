// SPDX-License-Identifier: MIT
// Painted buttons and short texts are made clickable the same way on every screen: a
// click handler and, while the mouse is over them, the screen's own pointer picture.
#pragma once

#include <functional>
#include <utility>

#include "gfx/surface.h"
#include "platform/ui/form.h"

namespace app {

inline void MakeClickable(platform::Control& control, const gfx::Surface& pointer,
                          std::function<void()> onClick) {
  control.OnClick = std::move(onClick);
  control.SetMousePointer(platform::MousePointer::Custom);
  control.SetMouseIcon(pointer);
}

}  // namespace app

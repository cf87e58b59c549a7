// SPDX-License-Identifier: MIT
// Labels keep their design size unless their text is wider than it: then they widen just
// enough (to the right, or both ways for centred text) so that no text is cut off.
#pragma once

#include <algorithm>

#include "platform/ui/form.h"

namespace app {

inline void WidenToText(platform::Label& label, bool centred = false) {
  const int left = label.Left(), top = label.Top(), width = label.Width(), height = label.Height();
  label.SetAutoSize(true);  // measures the text on one line
  const int wider = std::max(width, label.Width());
  label.SetAutoSize(false);
  label.Move(centred ? left - (wider - width) / 2 : left, top, wider, height);
}

}  // namespace app

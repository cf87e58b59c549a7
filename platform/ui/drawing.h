// SPDX-License-Identifier: MIT
// Clipped drawing for the controls: a child is drawn only inside its container.
#pragma once

#include <vector>

#include "gfx/surface.h"

namespace platform::detail {

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  bool contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};
Rect Intersect(const Rect& a, const Rect& b);

// The rectangle that control drawing may touch; set by the composer around each Draw.
const Rect& CurrentClip();
class ClipScope {
 public:
  explicit ClipScope(const Rect& clip);
  ~ClipScope();
  ClipScope(const ClipScope&) = delete;
  ClipScope& operator=(const ClipScope&) = delete;

 private:
  Rect previous_;
};

void FillClipped(gfx::Surface& target, Rect r, gfx::Pixel colour);
void FrameClipped(gfx::Surface& target, Rect r, gfx::Pixel colour);
// Copies the top-left w x h of src (as far as src reaches) to (x, y).
void BlitClipped(gfx::Surface& target, int x, int y, int w, int h, const gfx::Surface& src);

// An 8-bit coverage mask (anti-aliased text), blended in one colour.
struct Mask {
  int width = 0, height = 0;
  std::vector<unsigned char> alpha;
};
void BlendMaskClipped(gfx::Surface& target, int x, int y, const Mask& mask, gfx::Pixel colour);

}  // namespace platform::detail

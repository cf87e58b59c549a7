// SPDX-License-Identifier: MIT
#include "platform/ui/drawing.h"

#include <algorithm>
#include <cstring>

namespace platform::detail {
namespace {
Rect clip{0, 0, 1 << 20, 1 << 20};
}

Rect Intersect(const Rect& a, const Rect& b) {
  const int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
  const int x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
  return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

const Rect& CurrentClip() {
  return clip;
}
ClipScope::ClipScope(const Rect& c) : previous_(clip) {
  clip = c;
}
ClipScope::~ClipScope() {
  clip = previous_;
}

namespace {
Rect OnTarget(const gfx::Surface& target, const Rect& r) {
  return Intersect(Intersect(r, clip), {0, 0, target.width(), target.height()});
}
}  // namespace

void FillClipped(gfx::Surface& target, Rect r, gfx::Pixel colour) {
  const Rect c = OnTarget(target, r);
  target.fillRect(c.x, c.y, c.w, c.h, colour);
}

void FrameClipped(gfx::Surface& target, Rect r, gfx::Pixel colour) {
  if (r.w <= 0 || r.h <= 0) return;
  FillClipped(target, {r.x, r.y, r.w, 1}, colour);
  FillClipped(target, {r.x, r.y + r.h - 1, r.w, 1}, colour);
  FillClipped(target, {r.x, r.y, 1, r.h}, colour);
  FillClipped(target, {r.x + r.w - 1, r.y, 1, r.h}, colour);
}

void BlitClipped(gfx::Surface& target, int x, int y, int w, int h, const gfx::Surface& src) {
  const Rect c = OnTarget(target, {x, y, std::min(w, src.width()), std::min(h, src.height())});
  for (int row = c.y; row < c.y + c.h; ++row)
    std::memcpy(target.row(row) + c.x, src.row(row - y) + (c.x - x),
                static_cast<std::size_t>(c.w) * sizeof(gfx::Pixel));
}

void BlendMaskClipped(gfx::Surface& target, int x, int y, const Mask& mask, gfx::Pixel colour) {
  const Rect c = OnTarget(target, {x, y, mask.width, mask.height});
  const unsigned r = gfx::RedOf(colour), g = gfx::GreenOf(colour), b = gfx::BlueOf(colour);
  for (int row = c.y; row < c.y + c.h; ++row) {
    const unsigned char* a = mask.alpha.data() + static_cast<std::size_t>(row - y) * mask.width;
    gfx::Pixel* d = target.row(row);
    for (int col = c.x; col < c.x + c.w; ++col) {
      const unsigned k = a[col - x];
      if (k == 0) continue;
      if (k == 255) {
        d[col] = colour;
        continue;
      }
      const gfx::Pixel p = d[col];
      const unsigned inv = 255 - k;
      d[col] = gfx::Rgb((r * k + gfx::RedOf(p) * inv + 127) / 255,
                        (g * k + gfx::GreenOf(p) * inv + 127) / 255,
                        (b * k + gfx::BlueOf(p) * inv + 127) / 255);
    }
  }
}

}  // namespace platform::detail

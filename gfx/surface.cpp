// SPDX-License-Identifier: MIT
#include "gfx/surface.h"

#include <algorithm>

namespace gfx {

Surface::Surface(int width, int height, Pixel fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      stride_(width_),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

void Surface::fill(Pixel colour) {
  std::fill(pixels_.begin(), pixels_.end(), colour);
}

void Surface::fillRect(int x, int y, int w, int h, Pixel colour) {
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + w, width_), y1 = std::min(y + h, height_);
  for (int yy = y0; yy < y1; ++yy) std::fill(row(yy) + x0, row(yy) + std::max(x0, x1), colour);
}

void Surface::frameRect(int x, int y, int w, int h, Pixel colour) {
  if (w <= 0 || h <= 0) return;
  fillRect(x, y, w, 1, colour);
  fillRect(x, y + h - 1, w, 1, colour);
  fillRect(x, y, 1, h, colour);
  fillRect(x + w - 1, y, 1, h, colour);
}

bool Surface::operator==(const Surface& other) const {
  if (width_ != other.width_ || height_ != other.height_) return false;
  for (int y = 0; y < height_; ++y)
    if (!std::equal(row(y), row(y) + width_, other.row(y))) return false;
  return true;
}

}  // namespace gfx

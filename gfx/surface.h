// SPDX-License-Identifier: MIT
// A 32-bit picture in memory: windows, hidden pictures and the persistent image
// of a window are all surfaces, and every raster call reads and writes them.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/pixel_memory.h"

namespace gfx {

// Pixels are 0x00RRGGBB. The top byte is always 0 so that raster operations,
// which work on the colour bits, can treat a pixel as one integer.
using Pixel = std::uint32_t;

constexpr Pixel kWhite = 0xFFFFFF;
constexpr Pixel kBlack = 0x000000;

constexpr Pixel Rgb(int r, int g, int b) {
  return (Pixel(r & 0xFF) << 16) | (Pixel(g & 0xFF) << 8) | Pixel(b & 0xFF);
}
constexpr int RedOf(Pixel p) {
  return int((p >> 16) & 0xFF);
}
constexpr int GreenOf(Pixel p) {
  return int((p >> 8) & 0xFF);
}
constexpr int BlueOf(Pixel p) {
  return int(p & 0xFF);
}

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, Pixel fill = kWhite);

  int width() const { return width_; }
  int height() const { return height_; }
  int stride() const { return stride_; }  // pixels from one row to the next
  bool empty() const { return width_ == 0 || height_ == 0; }

  Pixel* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * stride_; }
  const Pixel* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * stride_; }
  Pixel& at(int x, int y) { return row(y)[x]; }
  Pixel at(int x, int y) const { return row(y)[x]; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  void fill(Pixel colour);
  // Fills the part of the rectangle that lies on the surface.
  void fillRect(int x, int y, int w, int h, Pixel colour);
  // Draws a one-pixel outline on the part of the rectangle that lies on the surface.
  void frameRect(int x, int y, int w, int h, Pixel colour);

  bool operator==(const Surface& other) const;

 private:
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  std::vector<Pixel, PixelAllocator<Pixel>> pixels_;
};

}  // namespace gfx

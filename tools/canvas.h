// SPDX-License-Identifier: MIT
// Drawing surface of the picture generator. Colours are floats in 0..1 so that layers
// blend without banding; shapes are given as signed distance functions (negative inside,
// in pixels), which yields exact anti-aliased edges at every size.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace art {

struct Colour {
  float r = 1, g = 1, b = 1;
};

constexpr Colour Rgb(int r, int g, int b) {
  return {r / 255.0f, g / 255.0f, b / 255.0f};
}
Colour Mix(Colour a, Colour b, float t);  // a at t = 0, b at t = 1
Colour Scale(Colour c, float k);          // k < 1 darkens, k > 1 brightens (clamped later)

// Distance from a point to a shape's edge; negative inside.
using Sdf = std::function<float(float x, float y)>;
// Colour of a filled shape at a point.
using Paint = std::function<Colour(float x, float y)>;

Paint Solid(Colour c);
// Linear gradient from c0 at y0 to c1 at y1.
Paint VerticalGradient(float y0, Colour c0, float y1, Colour c1);

// Coverage values in 0..1, for text and blurred shadows.
struct Mask {
  int width = 0, height = 0;
  std::vector<float> alpha;
  float at(int x, int y) const { return alpha[static_cast<std::size_t>(y) * width + x]; }
};
Mask Blur(const Mask& m, int radius, int margin);  // three box passes; grows by margin

class Canvas {
 public:
  Canvas(int width, int height, Colour fill = {1, 1, 1});
  int width() const { return width_; }
  int height() const { return height_; }
  Colour at(int x, int y) const { return px_[index(x, y)]; }
  void set(int x, int y, Colour c) { px_[index(x, y)] = c; }

  // Blends paint over the pixels that the shape covers; the bounds limit the work.
  void fill(const Sdf& shape, const Paint& paint, float opacity = 1, float x0 = 0, float y0 = 0,
            float x1 = 1e9f, float y1 = 1e9f);
  // As fill, but samples coverage and paint on an n x n grid in each pixel: for shading
  // that changes fast across a pixel (spheres, crystals).
  void fillSupersampled(const Sdf& shape, const Paint& paint, int n, float x0, float y0, float x1,
                        float y1);
  void fillRect(int x, int y, int w, int h, Colour c);
  void drawMask(const Mask& m, int x, int y, const Paint& paint, float opacity = 1);
  void blit(const Canvas& src, int x, int y);
  Canvas crop(int x, int y, int w, int h) const;
  Canvas scaledDown(int w, int h) const;  // box filter

  // 8-bit RGB, rounded; the bytes written to the files.
  std::vector<unsigned char> rgb8() const;

 private:
  std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }
  void blend(int x, int y, Colour c, float a);

  int width_, height_;
  std::vector<Colour> px_;
};

// Writes an RGB PNG, or with a given alpha channel an RGBA one. Throws on failure.
void SavePng(const Canvas& c, const std::string& path);
void SavePngWithAlpha(const Canvas& c, const Mask& alpha, const std::string& path);

// A PNG read back: pixels as 0xAARRGGBB, row by row. Throws on failure.
struct Image {
  int width = 0, height = 0;
  std::vector<unsigned> argb;
  unsigned at(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
};
Image LoadPng(const std::string& path);

}  // namespace art

// SPDX-License-Identifier: MIT
#include "tools/canvas.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace art {

Colour Mix(Colour a, Colour b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Scale(Colour c, float k) {
  return {c.r * k, c.g * k, c.b * k};
}

Paint Solid(Colour c) {
  return [c](float, float) { return c; };
}

Paint VerticalGradient(float y0, Colour c0, float y1, Colour c1) {
  return [=](float, float y) { return Mix(c0, c1, std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f)); };
}

namespace {

// One horizontal and one vertical running-sum pass of a box of 2r+1.
void BoxPass(std::vector<float>& a, int w, int h, int r) {
  std::vector<float> tmp(a.size());
  const float inv = 1.0f / float(2 * r + 1);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float s = 0;
      for (int k = -r; k <= r; ++k) s += a[y * w + std::clamp(x + k, 0, w - 1)];
      tmp[y * w + x] = s * inv;
    }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float s = 0;
      for (int k = -r; k <= r; ++k) s += tmp[std::clamp(y + k, 0, h - 1) * w + x];
      a[y * w + x] = s * inv;
    }
}

unsigned char ToByte(float v) {
  return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

Mask Blur(const Mask& m, int radius, int margin) {
  Mask out{m.width + 2 * margin, m.height + 2 * margin, {}};
  out.alpha.assign(static_cast<std::size_t>(out.width) * out.height, 0.0f);
  for (int y = 0; y < m.height; ++y)
    for (int x = 0; x < m.width; ++x) out.alpha[(y + margin) * out.width + x + margin] = m.at(x, y);
  for (int pass = 0; pass < 3; ++pass) BoxPass(out.alpha, out.width, out.height, radius);
  return out;
}

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width), height_(height), px_(static_cast<std::size_t>(width) * height, fill) {}

void Canvas::blend(int x, int y, Colour c, float a) {
  if (a <= 0) return;
  Colour& d = px_[index(x, y)];
  d = a >= 1 ? c : Mix(d, c, a);
}

void Canvas::fill(const Sdf& shape, const Paint& paint, float opacity, float x0, float y0, float x1,
                  float y1) {
  const int xa = std::max(0, int(std::floor(x0))), ya = std::max(0, int(std::floor(y0)));
  const int xb = std::min(width_, int(std::ceil(x1)) + 1);
  const int yb = std::min(height_, int(std::ceil(y1)) + 1);
  for (int y = ya; y < yb; ++y)
    for (int x = xa; x < xb; ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      const float cover = std::clamp(0.5f - shape(px, py), 0.0f, 1.0f);
      if (cover > 0) blend(x, y, paint(px, py), cover * opacity);
    }
}

void Canvas::fillSupersampled(const Sdf& shape, const Paint& paint, int n, float x0, float y0,
                              float x1, float y1) {
  const int xa = std::max(0, int(std::floor(x0))), ya = std::max(0, int(std::floor(y0)));
  const int xb = std::min(width_, int(std::ceil(x1)) + 1);
  const int yb = std::min(height_, int(std::ceil(y1)) + 1);
  for (int y = ya; y < yb; ++y)
    for (int x = xa; x < xb; ++x) {
      Colour sum{0, 0, 0};
      int inside = 0;
      for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
          const float sx = x + (i + 0.5f) / n, sy = y + (j + 0.5f) / n;
          if (shape(sx, sy) > 0) continue;
          const Colour c = paint(sx, sy);
          sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
          ++inside;
        }
      if (inside == 0) continue;
      blend(x, y, Scale(sum, 1.0f / inside), float(inside) / float(n * n));
    }
}

void Canvas::fillRect(int x, int y, int w, int h, Colour c) {
  for (int yy = std::max(0, y); yy < std::min(height_, y + h); ++yy)
    for (int xx = std::max(0, x); xx < std::min(width_, x + w); ++xx) px_[index(xx, yy)] = c;
}

void Canvas::drawMask(const Mask& m, int x, int y, const Paint& paint, float opacity) {
  for (int my = 0; my < m.height; ++my)
    for (int mx = 0; mx < m.width; ++mx) {
      const int px = x + mx, py = y + my;
      if (px < 0 || py < 0 || px >= width_ || py >= height_) continue;
      const float a = m.at(mx, my) * opacity;
      if (a > 0) blend(px, py, paint(px + 0.5f, py + 0.5f), a);
    }
}

void Canvas::blit(const Canvas& src, int x, int y) {
  for (int sy = 0; sy < src.height_; ++sy)
    for (int sx = 0; sx < src.width_; ++sx) {
      const int px = x + sx, py = y + sy;
      if (px >= 0 && py >= 0 && px < width_ && py < height_) px_[index(px, py)] = src.at(sx, sy);
    }
}

Canvas Canvas::crop(int x, int y, int w, int h) const {
  Canvas out(w, h);
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 0; xx < w; ++xx) out.set(xx, yy, at(x + xx, y + yy));
  return out;
}

Canvas Canvas::scaledDown(int w, int h) const {
  Canvas out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int sx0 = x * width_ / w, sx1 = std::max(sx0 + 1, (x + 1) * width_ / w);
      const int sy0 = y * height_ / h, sy1 = std::max(sy0 + 1, (y + 1) * height_ / h);
      Colour s{0, 0, 0};
      for (int sy = sy0; sy < sy1; ++sy)
        for (int sx = sx0; sx < sx1; ++sx) {
          const Colour c = at(sx, sy);
          s = {s.r + c.r, s.g + c.g, s.b + c.b};
        }
      out.set(x, y, Scale(s, 1.0f / float((sx1 - sx0) * (sy1 - sy0))));
    }
  return out;
}

std::vector<unsigned char> Canvas::rgb8() const {
  std::vector<unsigned char> out;
  out.reserve(px_.size() * 3);
  for (const Colour& c : px_) {
    out.push_back(ToByte(c.r));
    out.push_back(ToByte(c.g));
    out.push_back(ToByte(c.b));
  }
  return out;
}

namespace {

void WriteSurface(std::vector<unsigned char>& bytes, int w, int h, int channels,
                  const std::string& path) {
  const Uint32 format = channels == 4 ? SDL_PIXELFORMAT_RGBA32 : SDL_PIXELFORMAT_RGB24;
  SDL_Surface* s =
      SDL_CreateRGBSurfaceWithFormatFrom(bytes.data(), w, h, channels * 8, w * channels, format);
  if (!s) throw std::runtime_error(SDL_GetError());
  const int rc = IMG_SavePNG(s, path.c_str());
  SDL_FreeSurface(s);
  if (rc != 0) throw std::runtime_error("cannot write " + path + ": " + IMG_GetError());
}

}  // namespace

void SavePng(const Canvas& c, const std::string& path) {
  std::vector<unsigned char> bytes = c.rgb8();
  WriteSurface(bytes, c.width(), c.height(), 3, path);
}

void SavePngWithAlpha(const Canvas& c, const Mask& alpha, const std::string& path) {
  const std::vector<unsigned char> rgb = c.rgb8();
  std::vector<unsigned char> bytes;
  bytes.reserve(rgb.size() / 3 * 4);
  for (std::size_t i = 0; i < alpha.alpha.size(); ++i) {
    bytes.insert(bytes.end(), rgb.begin() + i * 3, rgb.begin() + i * 3 + 3);
    bytes.push_back(ToByte(alpha.alpha[i]));
  }
  WriteSurface(bytes, c.width(), c.height(), 4, path);
}

Image LoadPng(const std::string& path) {
  SDL_Surface* raw = IMG_Load(path.c_str());
  if (!raw) throw std::runtime_error("cannot read " + path + ": " + IMG_GetError());
  SDL_Surface* s = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(raw);
  if (!s) throw std::runtime_error(SDL_GetError());
  Image img{s->w, s->h, std::vector<unsigned>(static_cast<std::size_t>(s->w) * s->h)};
  for (int y = 0; y < s->h; ++y) {
    const auto* row =
        reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + y * s->pitch);
    std::copy(row, row + s->w, img.argb.begin() + static_cast<std::ptrdiff_t>(y) * s->w);
  }
  SDL_FreeSurface(s);
  return img;
}

}  // namespace art

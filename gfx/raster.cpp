#include "gfx/raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace gfx {
namespace {

constexpr Pixel kColourBits = 0x00FFFFFF;

// The part of a destination rectangle that lies on the destination.
struct Span {
  int x0, y0, x1, y1;
  bool empty() const { return x0 >= x1 || y0 >= y1; }
};

Span ClipToDest(const Surface& dest, int x, int y, int w, int h) {
  return {std::max(x, 0), std::max(y, 0), std::min(x + w, dest.width()),
          std::min(y + h, dest.height())};
}

void CopyRow(Pixel* d, const Pixel* s, int n) { std::memcpy(d, s, sizeof(Pixel) * n); }
void AndRow(Pixel* d, const Pixel* s, int n) {
  for (int i = 0; i < n; ++i) d[i] &= s[i];
}
void MergePaintRow(Pixel* d, const Pixel* s, int n) {
  for (int i = 0; i < n; ++i) d[i] |= ~s[i] & kColourBits;
}

// Applies one row of a raster operation where the source row is (partly) off the
// picture: the missing pixels read as white.
void RowWithWhiteOutside(std::uint32_t rop, Pixel* d, const Surface& src, int sy, int sx, int n) {
  const bool rowInside = sy >= 0 && sy < src.height();
  for (int i = 0; i < n; ++i) {
    const int x = sx + i;
    const Pixel s = (rowInside && x >= 0 && x < src.width()) ? src.at(x, sy) : kWhite;
    if (rop == SRCCOPY) d[i] = s;
    else if (rop == SRCAND) d[i] &= s;
    else d[i] |= ~s & kColourBits;
  }
}

}  // namespace

void fxBitBlt(Surface& dest, int x, int y, int width, int height, const Surface& src, int xSrc,
              int ySrc, std::uint32_t rop) {
  if (rop != SRCCOPY && rop != SRCAND && rop != MERGEPAINT) return;
  const Span span = ClipToDest(dest, x, y, width, height);
  if (span.empty()) return;
  const int n = span.x1 - span.x0;
  const int sx = xSrc + (span.x0 - x);
  const bool columnsInside = sx >= 0 && sx + n <= src.width();
  for (int dy = span.y0; dy < span.y1; ++dy) {
    const int sy = ySrc + (dy - y);
    Pixel* d = dest.row(dy) + span.x0;
    if (!columnsInside || sy < 0 || sy >= src.height()) {
      RowWithWhiteOutside(rop, d, src, sy, sx, n);
      continue;
    }
    const Pixel* s = src.row(sy) + sx;
    if (rop == SRCCOPY) CopyRow(d, s, n);
    else if (rop == SRCAND) AndRow(d, s, n);
    else MergePaintRow(d, s, n);
  }
}

namespace {

// Bilinear sample of the source rectangle at a real position, edges clamped.
struct Sampler {
  const Surface& src;
  int x0, y0, w, h;

  void At(double fx, double fy, double acc[3]) const {
    fx = std::clamp(fx, 0.0, double(w - 1));
    fy = std::clamp(fy, 0.0, double(h - 1));
    const int ix = int(fx), iy = int(fy);
    const int ix1 = std::min(ix + 1, w - 1), iy1 = std::min(iy + 1, h - 1);
    const double ax = fx - ix, ay = fy - iy;
    const Pixel p00 = Read(ix, iy), p10 = Read(ix1, iy), p01 = Read(ix, iy1),
                p11 = Read(ix1, iy1);
    const double w00 = (1 - ax) * (1 - ay), w10 = ax * (1 - ay), w01 = (1 - ax) * ay,
                 w11 = ax * ay;
    for (int c = 0; c < 3; ++c) {
      const int shift = 16 - 8 * c;
      acc[c] += w00 * ((p00 >> shift) & 0xFF) + w10 * ((p10 >> shift) & 0xFF) +
                w01 * ((p01 >> shift) & 0xFF) + w11 * ((p11 >> shift) & 0xFF);
    }
  }
  Pixel Read(int x, int y) const {
    const int px = x0 + x, py = y0 + y;
    return src.contains(px, py) ? src.at(px, py) : kWhite;
  }
};

int RoundedSize(int size, double zoom) { return int(std::lround(size * zoom)); }

}  // namespace

void fxZoom(Surface& dest, int xCentre, int yCentre, const Surface& src, int xSrc, int ySrc,
            int width, int height, double zoom, int /*reserved1*/, int /*reserved2*/) {
  if (width <= 0 || height <= 0 || !(zoom > 0.0)) return;
  const int dw = RoundedSize(width, zoom), dh = RoundedSize(height, zoom);
  if (dw <= 0 || dh <= 0) return;
  const int left = xCentre - dw / 2, top = yCentre - dh / 2;
  if (dw == width && dh == height) {
    fxBitBlt(dest, left, top, width, height, src, xSrc, ySrc, SRCCOPY);
    return;
  }
  const Span span = ClipToDest(dest, left, top, dw, dh);
  if (span.empty()) return;
  const Sampler sampler{src, xSrc, ySrc, width, height};
  const double scaleX = double(width) / dw, scaleY = double(height) / dh;
  // When shrinking, average several bilinear samples per pixel so thin highlights do not
  // shimmer from frame to frame.
  const int nx = std::clamp(int(std::ceil(scaleX)), 1, 4);
  const int ny = std::clamp(int(std::ceil(scaleY)), 1, 4);
  const double inv = 1.0 / (nx * ny);
  for (int dy = span.y0; dy < span.y1; ++dy) {
    Pixel* d = dest.row(dy);
    for (int dx = span.x0; dx < span.x1; ++dx) {
      double acc[3] = {0, 0, 0};
      for (int j = 0; j < ny; ++j) {
        const double fy = (dy - top + (j + 0.5) / ny) * scaleY - 0.5;
        for (int i = 0; i < nx; ++i) sampler.At((dx - left + (i + 0.5) / nx) * scaleX - 0.5, fy, acc);
      }
      d[dx] = Rgb(int(acc[0] * inv + 0.5), int(acc[1] * inv + 0.5), int(acc[2] * inv + 0.5));
    }
  }
}

void fxAlphaBlend(Surface& dest, int x, int y, int width, int height, const Surface& src,
                  int xSrc, int ySrc, int srcWidth, int srcHeight, int level,
                  std::uint32_t /*colour*/, int /*flags*/) {
  const int alpha = std::clamp(level, 0, 255);
  if (alpha == 0 || width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0) return;
  const Span span = ClipToDest(dest, x, y, width, height);
  for (int dy = span.y0; dy < span.y1; ++dy) {
    const int sy = ySrc + (dy - y) * srcHeight / height;
    Pixel* d = dest.row(dy);
    for (int dx = span.x0; dx < span.x1; ++dx) {
      const int sx = xSrc + (dx - x) * srcWidth / width;
      const Pixel s = src.contains(sx, sy) ? src.at(sx, sy) : kWhite;
      const Pixel o = d[dx];
      auto mix = [alpha](int sc, int dc) { return (sc * alpha + dc * (255 - alpha) + 127) / 255; };
      d[dx] = Rgb(mix(RedOf(s), RedOf(o)), mix(GreenOf(s), GreenOf(o)), mix(BlueOf(s), BlueOf(o)));
    }
  }
}

}  // namespace gfx

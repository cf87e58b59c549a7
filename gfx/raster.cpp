// SPDX-License-Identifier: MIT
#include "gfx/raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

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

void CopyRow(Pixel* d, const Pixel* s, int n) {
  std::memcpy(d, s, sizeof(Pixel) * n);
}
void AndRow(Pixel* d, const Pixel* s, int n) {
  for (int i = 0; i < n; ++i) d[i] &= s[i];
}
void MergePaintRow(Pixel* d, const Pixel* s, int n) {
  for (int i = 0; i < n; ++i) d[i] |= ~s[i] & kColourBits;
}

void ApplyRow(std::uint32_t rop, Pixel* d, const Pixel* s, int n) {
  if (n <= 0) return;
  if (rop == SRCCOPY)
    CopyRow(d, s, n);
  else if (rop == SRCAND)
    AndRow(d, s, n);
  else
    MergePaintRow(d, s, n);
}

// White source pixels: a copy paints white, AND and OR NOT leave the destination as it is.
void ApplyWhite(std::uint32_t rop, Pixel* d, int n) {
  if (rop == SRCCOPY && n > 0) std::fill(d, d + n, kWhite);
}

// One row of a raster operation; source pixels off the picture read as white.
void CombineRow(std::uint32_t rop, Pixel* d, const Surface& src, int sy, int sx, int n) {
  if (sy < 0 || sy >= src.height()) return ApplyWhite(rop, d, n);
  const int inside0 = std::clamp(-sx, 0, n);                     // first pixel on the picture
  const int inside1 = std::clamp(src.width() - sx, inside0, n);  // one past the last
  ApplyWhite(rop, d, inside0);
  ApplyRow(rop, d + inside0, src.row(sy) + sx + inside0, inside1 - inside0);
  ApplyWhite(rop, d + inside1, n - inside1);
}

// Whether the source rectangle lies on the destination picture and overlaps the
// destination rectangle: writing would then change pixels still to be read.
bool ReadsWhatItWrites(const Surface& dest, int x, int y, int w, int h, const Surface& src,
                       int xSrc, int ySrc, int srcW, int srcH) {
  return &dest == &src && x < xSrc + srcW && xSrc < x + w && y < ySrc + srcH && ySrc < y + h;
}

}  // namespace

void fxBitBlt(Surface& dest, int x, int y, int width, int height, const Surface& src, int xSrc,
              int ySrc, std::uint32_t rop) {
  if (rop != SRCCOPY && rop != SRCAND && rop != MERGEPAINT) return;
  const Span span = ClipToDest(dest, x, y, width, height);
  if (span.empty()) return;
  // As on the desktop, the source is read as it was before the call.
  if (ReadsWhatItWrites(dest, x, y, width, height, src, xSrc, ySrc, width, height)) {
    fxBitBlt(dest, x, y, width, height, Surface(src), xSrc, ySrc, rop);
    return;
  }
  const int n = span.x1 - span.x0;
  const int sx = xSrc + (span.x0 - x);
  for (int dy = span.y0; dy < span.y1; ++dy)
    CombineRow(rop, dest.row(dy) + span.x0, src, ySrc + (dy - y), sx, n);
}

namespace {

// The filter along one axis: output pixel i blends source pixels first[i] ..
// first[i] + count[i] - 1 with the fixed-point weights at weight[i * stride], summing to
// kOne. Kept flat so a zoom allocates a handful of vectors, not one per pixel.
struct Taps {
  int stride = 0;
  std::vector<int> first, count, weight;
};

constexpr int kWeightBits = 14;
constexpr int kOne = 1 << kWeightBits;

// Filter taps for scaling n source pixels to m output pixels. Shrinking averages the
// source area each output pixel covers (a box filter: smooth, no shimmer on highlights);
// growing interpolates linearly between the two nearest source pixels.
Taps ScaleTaps(int n, int m) {
  const double scale = double(n) / m;
  Taps taps;
  taps.stride = scale >= 1.0 ? int(std::ceil(scale)) + 1 : 2;
  taps.first.resize(m);
  taps.count.resize(m);
  taps.weight.assign(static_cast<std::size_t>(m) * taps.stride, 0);
  std::vector<double> w(taps.stride);
  for (int i = 0; i < m; ++i) {
    int first, count = 0;
    if (scale >= 1.0) {
      const double a = i * scale, b = (i + 1) * scale;
      first = int(a);
      const int last = std::min(int(std::ceil(b)), n);
      for (int k = first; k < last && count < taps.stride; ++k)
        w[count++] = std::min<double>(k + 1, b) - std::max<double>(k, a);
    } else {
      const double centre = std::clamp((i + 0.5) * scale - 0.5, 0.0, double(n - 1));
      first = std::min(int(centre), n - 1);
      const double t = centre - first;
      w[count++] = 1.0 - t;
      if (first + 1 < n) w[count++] = t;
    }
    double sum = 0;
    for (int k = 0; k < count; ++k) sum += w[k];
    int* out = &taps.weight[static_cast<std::size_t>(i) * taps.stride];
    int given = 0;
    for (int k = 0; k < count; ++k) given += out[k] = int(w[k] / sum * kOne);
    out[0] += kOne - given;  // rounding remainder, so flat colours stay exact
    taps.first[i] = first;
    taps.count[i] = count;
  }
  return taps;
}

int RoundedSize(int size, double zoom) {
  return int(std::lround(size * zoom));
}

// Scales a whole picture to width x height.
void Scale(const Surface& source, Surface& out) {
  const int width = source.width(), height = source.height();
  const Taps across = ScaleTaps(width, out.width()), down = ScaleTaps(height, out.height());
  // Separable filter: each output row first blends the source rows it covers into one
  // row of sums per channel, then each output pixel blends the sums it covers. Vertical
  // sums keep 8 fractional bits so both passes fit 32-bit integers.
  constexpr int kSumShift = kWeightBits - 8;
  constexpr int kFinalShift = kWeightBits + 8;
  std::vector<std::int32_t> red(width), green(width), blue(width);
  for (int row = 0; row < out.height(); ++row) {
    const int* wv = &down.weight[static_cast<std::size_t>(row) * down.stride];
    std::fill(red.begin(), red.end(), 0);
    std::fill(green.begin(), green.end(), 0);
    std::fill(blue.begin(), blue.end(), 0);
    for (int k = 0; k < down.count[row]; ++k) {
      const Pixel* s = source.row(down.first[row] + k);
      const std::int32_t weight = wv[k];
      for (int x = 0; x < width; ++x) {
        red[x] += weight * RedOf(s[x]);
        green[x] += weight * GreenOf(s[x]);
        blue[x] += weight * BlueOf(s[x]);
      }
    }
    for (int x = 0; x < width; ++x) {
      red[x] >>= kSumShift;
      green[x] >>= kSumShift;
      blue[x] >>= kSumShift;
    }
    Pixel* d = out.row(row);
    for (int col = 0; col < out.width(); ++col) {
      const int* wh = &across.weight[static_cast<std::size_t>(col) * across.stride];
      const int first = across.first[col];
      std::int32_t r = 1 << (kFinalShift - 1), g = r, b = r;
      for (int k = 0; k < across.count[col]; ++k) {
        r += wh[k] * red[first + k];
        g += wh[k] * green[first + k];
        b += wh[k] * blue[first + k];
      }
      d[col] = Rgb(r >> kFinalShift, g >> kFinalShift, b >> kFinalShift);
    }
  }
}

// The last scaled picture. A shrinking line draws the same ball at the same factor in
// three or four cells per frame, so the second and later calls only copy. The key is an
// exact copy of the source rectangle, never a pointer, so a changed picture never hits.
struct ZoomCache {
  Surface source;
  double zoom = 0;
  Surface scaled;
};

const Surface& Scaled(const Surface& src, int xSrc, int ySrc, int width, int height, double zoom,
                      int dw, int dh) {
  thread_local ZoomCache cache;
  Surface source(width, height, kWhite);
  fxBitBlt(source, 0, 0, width, height, src, xSrc, ySrc, SRCCOPY);
  if (cache.zoom == zoom && cache.scaled.width() == dw && cache.scaled.height() == dh &&
      cache.source == source)
    return cache.scaled;
  cache.scaled = Surface(dw, dh);
  Scale(source, cache.scaled);
  cache.source = std::move(source);
  cache.zoom = zoom;
  return cache.scaled;
}

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
  if (ClipToDest(dest, left, top, dw, dh).empty()) return;
  fxBitBlt(dest, left, top, dw, dh, Scaled(src, xSrc, ySrc, width, height, zoom, dw, dh), 0, 0,
           SRCCOPY);
}

void fxAlphaBlend(Surface& dest, int x, int y, int width, int height, const Surface& src, int xSrc,
                  int ySrc, int srcWidth, int srcHeight, int level, std::uint32_t colour,
                  int flags) {
  const int alpha = std::clamp(level, 0, 255);
  if (alpha == 0 || width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0) return;
  if (ReadsWhatItWrites(dest, x, y, width, height, src, xSrc, ySrc, srcWidth, srcHeight)) {
    fxAlphaBlend(dest, x, y, width, height, Surface(src), xSrc, ySrc, srcWidth, srcHeight, level,
                 colour, flags);
    return;
  }
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

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

// Applies one row of a raster operation where the source row is (partly) off the
// picture: the missing pixels read as white.
void RowWithWhiteOutside(std::uint32_t rop, Pixel* d, const Surface& src, int sy, int sx, int n) {
  const bool rowInside = sy >= 0 && sy < src.height();
  for (int i = 0; i < n; ++i) {
    const int x = sx + i;
    const Pixel s = (rowInside && x >= 0 && x < src.width()) ? src.at(x, sy) : kWhite;
    if (rop == SRCCOPY)
      d[i] = s;
    else if (rop == SRCAND)
      d[i] &= s;
    else
      d[i] |= ~s & kColourBits;
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
    if (rop == SRCCOPY)
      CopyRow(d, s, n);
    else if (rop == SRCAND)
      AndRow(d, s, n);
    else
      MergePaintRow(d, s, n);
  }
}

namespace {

// One output pixel's share of the source along one axis: source indices
// [first, first + weights.size()) with fixed-point weights summing to kOne.
struct Taps {
  int first = 0;
  std::vector<int> weights;
};

constexpr int kWeightBits = 14;
constexpr int kOne = 1 << kWeightBits;

// Filter taps for scaling n source pixels to m output pixels. Shrinking averages the
// source area each output pixel covers (a box filter: smooth, no shimmer on highlights);
// growing interpolates linearly between the two nearest source pixels.
std::vector<Taps> ScaleTaps(int n, int m) {
  std::vector<Taps> taps(m);
  const double scale = double(n) / m;
  for (int i = 0; i < m; ++i) {
    std::vector<double> w;
    int first;
    if (scale >= 1.0) {
      const double a = i * scale, b = (i + 1) * scale;
      first = int(a);
      const int last = std::min(int(std::ceil(b)), n);
      for (int k = first; k < last; ++k)
        w.push_back(std::min<double>(k + 1, b) - std::max<double>(k, a));
    } else {
      const double centre = std::clamp((i + 0.5) * scale - 0.5, 0.0, double(n - 1));
      first = std::min(int(centre), n - 1);
      const double t = centre - first;
      w.push_back(1.0 - t);
      if (first + 1 < n) w.push_back(t);
    }
    double sum = 0;
    for (double x : w) sum += x;
    Taps& tap = taps[i];
    tap.first = first;
    int given = 0;
    for (double x : w) given += tap.weights.emplace_back(int(x / sum * kOne));
    tap.weights.front() += kOne - given;  // rounding remainder, so flat colours stay exact
  }
  return taps;
}

int RoundedSize(int size, double zoom) {
  return int(std::lround(size * zoom));
}

// The source rectangle as its own surface; pixels outside the source picture read white.
Surface CropSource(const Surface& src, int xSrc, int ySrc, int width, int height) {
  Surface crop(width, height, kWhite);
  fxBitBlt(crop, 0, 0, width, height, src, xSrc, ySrc, SRCCOPY);
  return crop;
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
  const Span span = ClipToDest(dest, left, top, dw, dh);
  if (span.empty()) return;
  const Surface source = CropSource(src, xSrc, ySrc, width, height);
  const std::vector<Taps> across = ScaleTaps(width, dw), down = ScaleTaps(height, dh);
  // Separable filter: each output row first blends the source rows it covers into one
  // row of sums, then each output pixel blends the sums it covers.
  std::vector<std::int64_t> sums(static_cast<std::size_t>(width) * 3);
  for (int dy = span.y0; dy < span.y1; ++dy) {
    const Taps& v = down[dy - top];
    std::fill(sums.begin(), sums.end(), 0);
    for (std::size_t k = 0; k < v.weights.size(); ++k) {
      const Pixel* s = source.row(v.first + int(k));
      const std::int64_t wv = v.weights[k];
      for (int x = 0; x < width; ++x) {
        sums[3 * x] += wv * RedOf(s[x]);
        sums[3 * x + 1] += wv * GreenOf(s[x]);
        sums[3 * x + 2] += wv * BlueOf(s[x]);
      }
    }
    Pixel* d = dest.row(dy);
    for (int dx = span.x0; dx < span.x1; ++dx) {
      const Taps& h = across[dx - left];
      std::int64_t r = 0, g = 0, b = 0;
      for (std::size_t k = 0; k < h.weights.size(); ++k) {
        const std::size_t at = 3 * static_cast<std::size_t>(h.first + int(k));
        r += h.weights[k] * sums[at];
        g += h.weights[k] * sums[at + 1];
        b += h.weights[k] * sums[at + 2];
      }
      constexpr std::int64_t kHalf = std::int64_t(1) << (2 * kWeightBits - 1);
      d[dx] = Rgb(int((r + kHalf) >> (2 * kWeightBits)), int((g + kHalf) >> (2 * kWeightBits)),
                  int((b + kHalf) >> (2 * kWeightBits)));
    }
  }
}

void fxAlphaBlend(Surface& dest, int x, int y, int width, int height, const Surface& src, int xSrc,
                  int ySrc, int srcWidth, int srcHeight, int level, std::uint32_t /*colour*/,
                  int /*flags*/) {
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

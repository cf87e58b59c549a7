// SPDX-License-Identifier: MIT
// The message box's icons, drawn as shapes: a warning triangle with an exclamation mark,
// and a round information sign. Each pixel averages 4 x 4 samples, so edges are smooth.
#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/loop/msg_box.h"

namespace platform::detail {
namespace {

constexpr int kSize = 32, kSamples = 4;

struct Point {
  double x, y;
};

double Length(double x, double y) {
  return std::sqrt(x * x + y * y);
}

double SegmentDistance(Point p, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double t =
      std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return Length(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// Signed distance to a triangle given clockwise (on screen): negative inside.
double TriangleDistance(Point p, const Point (&v)[3]) {
  double nearest = 1e9;
  bool inside = true;
  for (int i = 0; i < 3; ++i) {
    const Point a = v[i], b = v[(i + 1) % 3];
    nearest = std::min(nearest, SegmentDistance(p, a, b));
    inside = inside && (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x) >= 0;
  }
  return inside ? -nearest : nearest;
}

// The colour of the icon at a point, or nothing where the icon leaves the ground.
using Painter = std::optional<gfx::Pixel> (*)(Point p);

std::optional<gfx::Pixel> Exclamation(Point p) {
  // A triangle with rounded corners: the points within 2.5 pixels of a smaller one.
  static constexpr Point kInner[3] = {{16, 5.5}, {27.5, 26.5}, {4.5, 26.5}};
  const double edge = TriangleDistance(p, kInner) - 2.5;
  if (edge > 0) return std::nullopt;
  const bool mark =
      SegmentDistance(p, {16, 12}, {16, 19.5}) <= 1.8 || Length(p.x - 16, p.y - 24) <= 1.9;
  if (mark) return gfx::Rgb(32, 32, 32);
  return edge > -1.3 ? gfx::Rgb(196, 140, 0) : gfx::Rgb(255, 200, 40);
}

std::optional<gfx::Pixel> Information(Point p) {
  const double edge = Length(p.x - 16, p.y - 16) - 14.5;
  if (edge > 0) return std::nullopt;
  const bool mark =
      SegmentDistance(p, {16, 14.5}, {16, 23.5}) <= 1.7 || Length(p.x - 16, p.y - 9.5) <= 2.1;
  if (mark) return gfx::kWhite;
  return edge > -1.3 ? gfx::Rgb(10, 80, 170) : gfx::Rgb(30, 110, 215);
}

gfx::Surface Paint(Painter painter) {
  gfx::Surface icon(kSize, kSize, gfx::kWhite);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      int r = 0, g = 0, b = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const Point p{x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples};
          const gfx::Pixel c = painter(p).value_or(gfx::kWhite);
          r += gfx::RedOf(c);
          g += gfx::GreenOf(c);
          b += gfx::BlueOf(c);
        }
      }
      constexpr int n = kSamples * kSamples;
      icon.at(x, y) = gfx::Rgb((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n);
    }
  }
  return icon;
}

}  // namespace

gfx::Surface MsgBoxIconPicture(MsgBoxIcon icon) {
  switch (icon) {
    case MsgBoxIcon::Exclamation:
      return Paint(Exclamation);
    case MsgBoxIcon::Information:
      return Paint(Information);
    case MsgBoxIcon::None:
      break;
  }
  return {};
}

}  // namespace platform::detail

// SPDX-License-Identifier: MIT
#include "tools/shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace art {

Sdf Circle(float cx, float cy, float r) {
  return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}

Sdf Ellipse(float cx, float cy, float rx, float ry) {
  return [=](float x, float y) {
    const float dx = (x - cx) / rx, dy = (y - cy) / ry;
    const float k = std::hypot(dx, dy);
    // Distance in the unit circle, scaled back by the gradient length.
    const float grad = std::hypot(dx / rx, dy / ry);
    return grad > 0 ? (k - 1) * k / grad : -std::min(rx, ry);
  };
}

Sdf RoundRect(float x, float y, float w, float h, float radius) {
  const float cx = x + w / 2, cy = y + h / 2, hx = w / 2 - radius, hy = h / 2 - radius;
  return [=](float px, float py) {
    const float qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
  };
}

Sdf Capsule(Point a, Point b, float halfWidth) {
  return [=](float x, float y) {
    const float bx = b.x - a.x, by = b.y - a.y, px = x - a.x, py = y - a.y;
    const float len2 = bx * bx + by * by;
    const float t = len2 > 0 ? std::clamp((px * bx + py * by) / len2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(px - bx * t, py - by * t) - halfWidth;
  };
}

Sdf Polygon(std::vector<Point> v) {
  return [v = std::move(v)](float x, float y) {
    float best = 1e9f;
    bool inside = false;
    for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
      const Point a = v[j], b = v[i];
      const float ex = b.x - a.x, ey = b.y - a.y, wx = x - a.x, wy = y - a.y;
      const float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0f, 1.0f);
      best = std::min(best, std::hypot(wx - ex * t, wy - ey * t));
      if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * ex / ey) inside = !inside;
    }
    return inside ? -best : best;
  };
}

Sdf Star(float cx, float cy, float outer, float inner, float rotation) {
  std::vector<Point> v;
  for (int i = 0; i < 10; ++i) {
    const float a = rotation - std::numbers::pi_v<float> / 2 + i * std::numbers::pi_v<float> / 5;
    const float r = i % 2 == 0 ? outer : inner;
    v.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
  }
  return Polygon(std::move(v));
}

Sdf Union(Sdf a, Sdf b) {
  return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

Sdf Subtract(Sdf a, Sdf b) {
  return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

Sdf Intersect(Sdf a, Sdf b) {
  return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}

Sdf Outline(Sdf a, float halfWidth) {
  return [=](float x, float y) { return std::fabs(a(x, y)) - halfWidth; };
}

Sdf Grow(Sdf a, float by) {
  return [=](float x, float y) { return a(x, y) - by; };
}

}  // namespace art

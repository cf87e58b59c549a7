// SPDX-License-Identifier: MIT
// Balls, the how-to-play pictures, the pointer and the window icon.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/art.h"
#include "tools/pictures.h"

namespace art {
namespace {

using namespace palette;

constexpr float kBallCentre = 37.5f, kBallRadius = 34.0f;

// The classic arrow pointer with its tip at (x, y), `scale` pixels per unit.
Sdf ArrowPointer(float x, float y, float s) {
  return Polygon({{x, y},
                  {x, y + 16 * s},
                  {x + 4 * s, y + 12.5f * s},
                  {x + 6.8f * s, y + 18.5f * s},
                  {x + 9.2f * s, y + 17.4f * s},
                  {x + 6.5f * s, y + 11.6f * s},
                  {x + 11.5f * s, y + 11.2f * s}});
}

// A mouse seen from above, the cable running up from its nose.
void DrawMouse(Canvas& c, MouseButton lit) {
  const float x = 22, y = 22, w = 46, h = 62;
  const Sdf body = RoundRect(x, y, w, h, 22);
  const Colour glow = Rgb(255, 176, 40);
  c.fill(Capsule({45, 22}, {45, 12}, 1.6f), Solid(Rgb(90, 100, 120)), 1, 40, 0, 50, 24);
  c.fill(Capsule({45, 12}, {52, 3}, 1.6f), Solid(Rgb(90, 100, 120)), 1, 40, 0, 56, 14);
  DrawSoftShadow(c, body, 3, 0.25f, x - 6, y - 6, x + w + 8, y + h + 8);
  c.fillSupersampled(body, Solid(Rgb(96, 110, 134)), 4, x - 2, y - 2, x + w + 2, y + h + 2);
  c.fillSupersampled(Grow(body, -1.5f),
                     VerticalGradient(y, Rgb(246, 248, 252), y + h, Rgb(196, 206, 222)), 4, x, y,
                     x + w, y + h);
  const float split = y + 26;
  const Sdf upper = Intersect(Grow(body, -1.5f), RoundRect(x, y, w, split - y, 0));
  const Sdf left = Intersect(upper, RoundRect(x, y, w / 2 - 1, h, 0));
  const Sdf right = Intersect(upper, RoundRect(x + w / 2 + 1, y, w / 2, h, 0));
  if (lit != MouseButton::None) {
    const Sdf button = lit == MouseButton::Left ? left : right;
    c.fillSupersampled(button, VerticalGradient(y, Rgb(255, 220, 120), split, glow), 4, x, y, x + w,
                       split);
  }
  c.fill(RoundRect(x + w / 2 - 0.75f, y + 2, 1.5f, split - y - 2, 0), Solid(Rgb(120, 132, 152)), 1,
         x, y, x + w, split);
  c.fill(RoundRect(x + 2, split - 0.75f, w - 4, 1.5f, 0), Solid(Rgb(120, 132, 152)), 1, x,
         split - 2, x + w, split + 2);
  c.fillSupersampled(RoundRect(x + w / 2 - 3, y + 8, 6, 11, 3), Solid(Rgb(110, 122, 142)), 4, x, y,
                     x + w, split);
  // A curved arrow beside the lit button shows the direction the ring turns.
  if (lit != MouseButton::None) {
    const bool clockwise = lit == MouseButton::Right;
    const float ax = clockwise ? 79 : 12;
    const Sdf arc = Intersect(Outline(Circle(ax, 38, 7), 1.7f), RoundRect(ax - 10, 28, 20, 10, 0));
    const Sdf trimmed = Subtract(arc, RoundRect(clockwise ? ax - 10 : ax, 38, 10, 12, 0));
    const Sdf head = clockwise ? Polygon({{ax + 2.5f, 39}, {ax + 11.5f, 39}, {ax + 7, 46}})
                               : Polygon({{ax - 2.5f, 39}, {ax - 11.5f, 39}, {ax - 7, 46}});
    c.fillSupersampled(Union(trimmed, head), Solid(Rgb(230, 140, 20)), 4, ax - 14, 26, ax + 14, 48);
  }
}

}  // namespace

Canvas BallPicture(int kind) {
  Canvas c(75, 75, kWhite);
  DrawBall(c, kind, kBallCentre, kBallCentre, kBallRadius);
  return c;
}

Canvas HowToBall() {
  // The picture lies one pixel right of and below the demonstration's centre cell, so the
  // ball is drawn one pixel up and left to line up with the balls around it.
  Canvas c(75, 75, kWhite);
  DrawBall(c, 1, kBallCentre - 1, kBallCentre - 1, kBallRadius);
  const Sdf arrow = ArrowPointer(34, 30, 1.9f);
  DrawSoftShadow(c, arrow, 2, 0.35f, 28, 26, 70, 70);
  c.fillSupersampled(Grow(arrow, 1.4f), Solid(Rgb(20, 24, 32)), 4, 28, 24, 70, 70);
  c.fillSupersampled(Grow(arrow, -0.6f), Solid(kWhite), 4, 28, 24, 70, 70);
  return c;
}

Canvas MousePicture(MouseButton lit) {
  Canvas c(91, 87, kWhite);
  DrawMouse(c, lit);
  return c;
}

// A pointing hand, upright, the index finger on its left edge with the fingertip at
// (3.5, 1); the thumb lies folded across the palm (drawn as a crease).
Sdf UprightHand() {
  const Sdf finger = RoundRect(1, 1, 5, 17, 2.5f);
  const Sdf knuckles = Union(Union(RoundRect(5.5f, 9, 5, 10, 2.5f), RoundRect(10, 10, 5, 10, 2.5f)),
                             RoundRect(14.5f, 11.5f, 5, 9.5f, 2.5f));
  const Sdf palm = RoundRect(1, 14, 18.5f, 15, 5);
  return Union(Union(finger, knuckles), palm);
}

Sdf HandCreases() {
  Sdf lines = Capsule({3.5f, 22}, {11, 19.5f}, 0.55f);  // the folded thumb
  for (float lx : {5.5f, 10.0f, 14.5f}) lines = Union(lines, Capsule({lx, 14}, {lx, 17.5f}, 0.5f));
  return lines;
}

// The shape turned by `degrees` (clockwise on screen) about `pivot`, which lands on `to`,
// and enlarged by `scale`.
Sdf Placed(Sdf shape, Point pivot, float degrees, Point to, float scale) {
  const float a = degrees * std::numbers::pi_v<float> / 180, c = std::cos(a), s = std::sin(a);
  return [=](float x, float y) {
    const float dx = x / scale - to.x, dy = y / scale - to.y;
    return scale * shape(pivot.x + c * dx + s * dy, pivot.y - s * dx + c * dy);
  };
}

// The menus' pointer: a hand pointing up and to the left, because the platform clicks at
// the picture's top-left pixel. That pixel's colour, pure magenta (255, 0, 255), marks
// every transparent pixel, so the edges are hard: soft edges would blend towards magenta
// and show a pink fringe over any background.
Canvas PointerPicture() {
  constexpr int kSuper = 4;
  const float s = kSuper;
  Canvas big(32 * kSuper, 32 * kSuper, Rgb(255, 0, 255));
  const Point tip{3.5f, 1};
  auto place = [&](const Sdf& shape) { return Placed(shape, tip, -14, {2.6f, 1.4f}, s * 1.05f); };
  const Sdf hand = place(UprightHand());
  big.fillSupersampled(Grow(hand, 1.3f * s), Solid(Rgb(0, 0, 0)), 1, 0, 0, 32 * s, 32 * s);
  big.fillSupersampled(hand, Solid(kWhite), 1, 0, 0, 32 * s, 32 * s);
  big.fill(place(HandCreases()), Solid(Rgb(0, 0, 0)), 1, 0, 0, 32 * s, 32 * s);
  Canvas small = big.scaledDown(32, 32);
  // Hard edge: a pixel is part of the hand when the hand covers most of it.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      // Over magenta (r 1, g 0) red exceeds green by exactly the magenta share.
      const Colour p = small.at(x, y);
      const float magentaShare = p.r - p.g;
      if (magentaShare > 0.5f) {
        small.set(x, y, Rgb(255, 0, 255));
      } else {
        const float grey = std::clamp(p.g / (1 - magentaShare), 0.0f, 1.0f);
        small.set(x, y, {grey, grey, grey});
      }
    }
  return small;
}

// The tile fills the whole square; the alpha channel rounds its corners where the
// platform uses it. Drawn by its shapes at every size, so small icons stay sharp.
Canvas IconPicture(int size) {
  const float s = size / 64.0f;
  Canvas c(size, size, kNavy);
  c.fill(RoundRect(-2, -2, size + 4, size + 4, 0), VerticalGradient(0, kNavyLight, size, kNavy));
  DrawBall(c, 0, 21 * s, 22 * s, 13 * s);
  DrawBall(c, 3, 43 * s, 22 * s, 13 * s);
  DrawBall(c, 1, 21 * s, 43 * s, 13 * s);
  DrawBall(c, 5, 43 * s, 43 * s, 13 * s);
  return c;
}

Mask IconAlpha(int size) {
  Canvas shape(size, size, {0, 0, 0});
  shape.fill(RoundRect(0, 0, size, size, 12 * size / 64.0f), Solid(kWhite));
  Mask m{size, size, std::vector<float>(static_cast<std::size_t>(size) * size)};
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      m.alpha[static_cast<std::size_t>(y) * size + x] = shape.at(x, y).r;
  return m;
}

}  // namespace art

// SPDX-License-Identifier: MIT
#include "tools/art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace art {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

float SmoothStep(float e0, float e1, float x) {
  const float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

struct Vec3 {
  float x, y, z;
};
Vec3 Normalise(Vec3 v) {
  const float l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return {v.x / l, v.y / l, v.z / l};
}
float Dot(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

const Vec3 kLight = Normalise({-0.55f, -0.65f, 0.6f});  // from the top-left, towards the viewer
const Vec3 kBounce = Normalise({0.6f, 0.75f, 0.15f});   // light thrown back from below right

constexpr std::array<Colour, 6> kBallColour = {
    Rgb(38, 102, 214),   // blue
    Rgb(42, 160, 62),    // green
    Rgb(132, 62, 188),   // purple
    Rgb(214, 38, 44),    // red
    Rgb(128, 134, 146),  // grey
    Rgb(246, 132, 22),   // orange
};

// Shading of a glossy sphere at (x, y): diffuse light, a darker rim, a little bounce
// light at the lower right, a soft specular spot and a crisper window highlight.
Colour ShadeSphere(Colour base, float cx, float cy, float r, float x, float y) {
  const float dx = (x - cx) / r, dy = (y - cy) / r;
  const float d2 = std::min(dx * dx + dy * dy, 1.0f);
  const Vec3 n{dx, dy, std::sqrt(1 - d2)};
  const float diffuse = std::max(0.0f, Dot(n, kLight));
  Colour c = Scale(base, 0.32f + 0.78f * diffuse);
  c = Mix(c, Scale(base, 0.45f), 0.55f * SmoothStep(0.82f, 1.0f, std::sqrt(d2)));
  const float bounce = std::pow(std::max(0.0f, Dot(n, kBounce)), 3.0f);
  c = Mix(c, Mix(base, palette::kWhite, 0.25f), 0.35f * bounce);
  const Vec3 half = Normalise({kLight.x, kLight.y, kLight.z + 1});
  const float spec = std::pow(std::max(0.0f, Dot(n, half)), 24.0f);
  c = Mix(c, palette::kWhite, 0.45f * spec);
  const float hx = (dx + 0.34f) / 0.30f, hy = (dy + 0.42f) / 0.19f;
  const float window = 1 - SmoothStep(0.55f, 1.0f, std::sqrt(hx * hx + hy * hy));
  return Mix(c, palette::kWhite, 0.78f * window);
}

// Six arms with two pairs of side branches each, round a small hexagon.
Sdf SnowflakeShape(float cx, float cy, float r) {
  Sdf shape = Circle(cx, cy, r * 0.16f);
  for (int arm = 0; arm < 6; ++arm) {
    const float a = arm * kPi / 3 - kPi / 2;
    const Point tip{cx + r * std::cos(a), cy + r * std::sin(a)};
    shape = Union(shape, Capsule({cx, cy}, tip, r * 0.075f));
    for (float along : {0.42f, 0.68f}) {
      const Point base{cx + r * along * std::cos(a), cy + r * along * std::sin(a)};
      const float len = r * (along < 0.5f ? 0.30f : 0.2f);
      for (float side : {-1.0f, 1.0f}) {
        const float b = a + side * kPi / 3;
        shape = Union(shape, Capsule(base, {base.x + len * std::cos(b), base.y + len * std::sin(b)},
                                     r * 0.06f));
      }
    }
  }
  return shape;
}

void DrawIceCrystal(Canvas& c, float cx, float cy, float r) {
  const Sdf flake = SnowflakeShape(cx, cy, r * 0.96f);
  const Colour rim = Rgb(52, 122, 196), light = Rgb(196, 232, 255), deep = Rgb(98, 170, 232);
  // A pale halo first, then the rim, then the lit body.
  c.fillSupersampled(
      Circle(cx, cy, r * 0.98f),
      [=](float x, float y) {
        const float t = std::hypot(x - cx, y - cy) / r;
        return Mix(Rgb(226, 242, 255), palette::kWhite, SmoothStep(0.55f, 1.0f, t));
      },
      4, cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1);
  c.fillSupersampled(Grow(flake, r * 0.03f), Solid(rim), 4, cx - r - 2, cy - r - 2, cx + r + 2,
                     cy + r + 2);
  c.fillSupersampled(
      Grow(flake, -r * 0.02f),
      [=](float x, float y) {
        const float t = ((x - cx) + (y - cy)) / (2 * r) + 0.5f;  // top-left lit
        return Mix(light, deep, std::clamp(t, 0.0f, 1.0f));
      },
      4, cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2);
  c.fillSupersampled(Circle(cx, cy, r * 0.09f), Solid(palette::kWhite), 4, cx - r, cy - r, cx + r,
                     cy + r);
}

}  // namespace

void DrawBall(Canvas& c, int kind, float cx, float cy, float radius) {
  if (kind == kIceKind) {
    DrawIceCrystal(c, cx, cy, radius);
    return;
  }
  const Colour base = kBallColour[static_cast<std::size_t>(kind)];
  c.fillSupersampled(
      Circle(cx, cy, radius),
      [=](float x, float y) { return ShadeSphere(base, cx, cy, radius, x, y); }, 4, cx - radius - 1,
      cy - radius - 1, cx + radius + 1, cy + radius + 1);
}

void DrawGoldStar(Canvas& c, float cx, float cy, float radius) {
  const Sdf star = Star(cx, cy, radius, radius * 0.45f);
  const float pad = radius + 2;
  c.fillSupersampled(Grow(star, 0.9f), Solid(palette::kGoldDeep), 4, cx - pad, cy - pad, cx + pad,
                     cy + pad);
  c.fillSupersampled(
      star,
      [=](float x, float y) {
        // Facets: the upper-left half catches the light.
        const bool lit = (x - cx) * 0.6f + (y - cy) < 0.0f;
        return lit ? Rgb(255, 226, 120) : Rgb(236, 176, 52);
      },
      4, cx - pad, cy - pad, cx + pad, cy + pad);
}

void DrawRoundButton(Canvas& c, float cx, float cy, float radius, Colour top, Colour bottom) {
  const float pad = radius + 6;
  DrawSoftShadow(c, Circle(cx, cy, radius), 4, 0.35f, cx - pad, cy - pad, cx + pad + 4,
                 cy + pad + 4);
  c.fillSupersampled(Circle(cx, cy, radius), Solid(Scale(bottom, 0.7f)), 4, cx - pad, cy - pad,
                     cx + pad, cy + pad);
  c.fillSupersampled(Circle(cx, cy, radius - 2.5f),
                     VerticalGradient(cy - radius, top, cy + radius, bottom), 4, cx - pad, cy - pad,
                     cx + pad, cy + pad);
  // Gloss across the upper half.
  c.fill(Ellipse(cx, cy - radius * 0.45f, radius * 0.72f, radius * 0.42f),
         VerticalGradient(cy - radius, Mix(top, palette::kWhite, 0.65f), cy - radius * 0.1f, top),
         0.8f, cx - pad, cy - pad, cx + pad, cy);
}

void DrawPillButton(Canvas& c, float x, float y, float w, float h, const std::string& caption,
                    int fontPx, Colour top, Colour bottom) {
  const float r = std::min(h / 2, 14.0f);
  DrawSoftShadow(c, RoundRect(x, y, w, h, r), 3, 0.3f, x - 4, y - 4, x + w + 8, y + h + 8);
  c.fill(RoundRect(x, y, w, h, r), Solid(Scale(bottom, 0.7f)), 1, x - 1, y - 1, x + w + 1,
         y + h + 1);
  c.fill(RoundRect(x + 1.5f, y + 1.5f, w - 3, h - 3, r - 1.5f),
         VerticalGradient(y, top, y + h, bottom), 1, x, y, x + w, y + h);
  c.fill(RoundRect(x + 4, y + 3, w - 8, h * 0.42f, r - 3),
         VerticalGradient(y, Mix(top, palette::kWhite, 0.5f), y + h * 0.45f, top), 0.6f, x, y,
         x + w, y + h / 2);
  const Mask m = TextMask(Face::ArialBold, fontPx, caption);
  const int tx = int(x + (w - m.width) / 2 + 0.5f), ty = int(y + (h - m.height) / 2 + 0.5f);
  c.drawMask(m, tx + 1, ty + 1, Solid(Scale(bottom, 0.5f)), 0.6f);
  c.drawMask(m, tx, ty, Solid(palette::kWhite));
}

void DrawSoftShadow(Canvas& c, const Sdf& shape, float spread, float opacity, float x0, float y0,
                    float x1, float y1) {
  // Scaling the distance turns the one-pixel edge ramp into a ramp 2 * spread wide.
  const float off = spread * 0.6f;
  c.fill([=](float x, float y) { return shape(x - off, y - off) / (2 * spread); },
         Solid(palette::kShadow), opacity, x0, y0, x1, y1);
}

}  // namespace art

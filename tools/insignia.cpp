// SPDX-License-Identifier: MIT
// The 25 rank insignia: a round or square badge with gold stars, the title underneath.
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "tools/art.h"
#include "tools/pictures.h"

namespace art {
namespace {

using namespace palette;

enum class Badge { Green, Blue, Red, Bronze, Purple, Striped };

struct Rank {
  const char* title;
  Badge badge;
  int stars;
};

constexpr std::array<Rank, 25> kRanks = {{
    {"Corporal", Badge::Green, 1},
    {"Sergeant", Badge::Green, 2},
    {"Staff Sergeant", Badge::Green, 3},
    {"Sergeant First Class", Badge::Green, 4},
    {"Master Sergeant", Badge::Blue, 1},
    {"First Sergeant", Badge::Blue, 2},
    {"Sergeant Major", Badge::Blue, 3},
    {"Command Sergeant Major", Badge::Blue, 4},
    {"Sergeant Major of the Army", Badge::Blue, 5},
    {"Warant Officer", Badge::Red, 1},
    {"Chief Warrant Officer 2", Badge::Red, 2},
    {"chief warrant officer 3", Badge::Red, 3},
    {"chief warrant officer 4", Badge::Red, 4},
    {"chief warrant officer 5", Badge::Red, 5},
    {"Second Lieutenant", Badge::Bronze, 1},
    {"First Lieutenant", Badge::Bronze, 2},
    {"Captain", Badge::Bronze, 3},
    {"Major", Badge::Purple, 1},
    {"Lieutenant Colonel", Badge::Purple, 2},
    {"Colonel", Badge::Purple, 3},
    {"Brigadier General", Badge::Striped, 1},
    {"Major General", Badge::Striped, 2},
    {"Lieutenant General", Badge::Striped, 3},
    {"General", Badge::Striped, 4},
    {"General of The Army", Badge::Striped, 5},
}};

constexpr float kCx = 80, kCy = 50, kRadius = 40;
constexpr int kTitlePx = 14, kTitleMaxWidth = 152;

Colour BadgeColour(Badge b) {
  switch (b) {
    case Badge::Green:
      return Rgb(40, 138, 72);
    case Badge::Blue:
      return Rgb(36, 86, 186);
    case Badge::Red:
      return Rgb(186, 36, 44);
    case Badge::Bronze:
      return Rgb(168, 104, 52);
    case Badge::Purple:
      return Rgb(108, 52, 158);
    case Badge::Striped:
      return Rgb(28, 52, 120);
  }
  return kNavy;
}

// Star centres and size for n stars on a round badge, arranged to fill the disc evenly.
std::vector<Point> RoundLayout(int n, float& size) {
  switch (n) {
    case 1:
      size = 20;
      return {{kCx, kCy + 1}};
    case 2:
      size = 14;
      return {{kCx - 15, kCy + 1}, {kCx + 15, kCy + 1}};
    case 3:
      size = 12;
      return {{kCx, kCy - 12}, {kCx - 15, kCy + 11}, {kCx + 15, kCy + 11}};
    case 4:
      size = 11;
      return {
          {kCx - 13, kCy - 11}, {kCx + 13, kCy - 11}, {kCx - 13, kCy + 13}, {kCx + 13, kCy + 13}};
    default:
      size = 10;
      return {{kCx, kCy - 17},
              {kCx - 18, kCy - 4},
              {kCx + 18, kCy - 4},
              {kCx - 11, kCy + 17},
              {kCx + 11, kCy + 17}};
  }
}

void DrawRoundBadge(Canvas& c, Colour body, int stars) {
  const float pad = kRadius + 8;
  DrawSoftShadow(c, Circle(kCx, kCy, kRadius), 3, 0.3f, kCx - pad, kCy - pad, kCx + pad, kCy + pad);
  // Gold rim, lit from the top-left, then the enamel with a fine inner gold line.
  c.fillSupersampled(
      Circle(kCx, kCy, kRadius),
      [](float x, float y) {
        const float t = ((x - kCx) + (y - kCy)) / (4 * kRadius) + 0.5f;
        return Mix(Rgb(255, 226, 130), kGoldDeep, t);
      },
      4, kCx - pad, kCy - pad, kCx + pad, kCy + pad);
  c.fillSupersampled(Circle(kCx, kCy, kRadius - 5), Solid(Scale(kGoldDeep, 0.7f)), 4, kCx - pad,
                     kCy - pad, kCx + pad, kCy + pad);
  c.fillSupersampled(
      Circle(kCx, kCy, kRadius - 6),
      [body](float x, float y) {
        const float d = std::hypot(x - (kCx - 12), y - (kCy - 14)) / (2 * kRadius);
        return Mix(Mix(body, kWhite, 0.35f), Scale(body, 0.7f), std::min(d * 1.4f, 1.0f));
      },
      4, kCx - pad, kCy - pad, kCx + pad, kCy + pad);
  c.fill(Outline(Circle(kCx, kCy, kRadius - 10), 0.6f), Solid(kGold), 0.7f, kCx - pad, kCy - pad,
         kCx + pad, kCy + pad);
  float size = 0;
  for (const Point& p : RoundLayout(stars, size)) DrawGoldStar(c, p.x, p.y, size);
}

// Square badge: a blue field with the stars above red and white stripes.
void DrawStripedBadge(Canvas& c, int stars) {
  const float x = kCx - 40, y = kCy - 40, s = 80, field = 36;
  const Sdf square = RoundRect(x, y, s, s, 7);
  DrawSoftShadow(c, square, 3, 0.3f, x - 8, y - 8, x + s + 8, y + s + 8);
  c.fillSupersampled(
      square,
      [=](float px, float py) {
        const float t = ((px - x) + (py - y)) / (2 * s);
        return Mix(Rgb(255, 226, 130), kGoldDeep, t);
      },
      4, x - 2, y - 2, x + s + 2, y + s + 2);
  const Sdf inner = RoundRect(x + 5, y + 5, s - 10, s - 10, 4);
  c.fillSupersampled(
      inner,
      [=](float px, float py) {
        if (py < y + 5 + field) return Mix(Rgb(52, 86, 170), Rgb(20, 40, 104), (py - y) / field);
        const int stripe = int((px - (x + 5)) / ((s - 10) / 7.0f));
        const Colour base = stripe % 2 == 0 ? Rgb(200, 34, 44) : Rgb(250, 250, 250);
        return Scale(base, 1.0f - 0.12f * (py - y - field) / (s - field));
      },
      4, x, y, x + s, y + s);
  c.fill(RoundRect(x + 5, y + 5 + field - 0.5f, s - 10, 1.5f, 0), Solid(kGold), 1, x, y, x + s,
         y + s);
  const float sizes[] = {10, 10, 9, 7.5f, 7}, steps[] = {24, 24, 21, 16, 14};
  const float size = sizes[stars - 1], step = steps[stars - 1];
  for (int i = 0; i < stars; ++i)
    DrawGoldStar(c, kCx + (i - (stars - 1) / 2.0f) * step, y + 5 + field / 2 + 1, size);
}

// One line, or two when the title is wider than the card; split where the lines are
// most even.
std::vector<std::string> WrapTitle(const std::string& title) {
  if (TextWidth(Face::ArialBold, kTitlePx, title) <= kTitleMaxWidth) return {title};
  std::string bestA = title, bestB;
  int best = 1 << 30;
  for (std::size_t i = title.find(' '); i != std::string::npos; i = title.find(' ', i + 1)) {
    const std::string a = title.substr(0, i), b = title.substr(i + 1);
    const int widest =
        std::max(TextWidth(Face::ArialBold, kTitlePx, a), TextWidth(Face::ArialBold, kTitlePx, b));
    if (widest < best) best = widest, bestA = a, bestB = b;
  }
  return {bestA, bestB};
}

}  // namespace

Canvas Insignia(int rank) {
  const Rank& r = kRanks[static_cast<std::size_t>(rank)];
  Canvas c(160, 140, kWhite);
  if (r.badge == Badge::Striped)
    DrawStripedBadge(c, r.stars);
  else
    DrawRoundBadge(c, BadgeColour(r.badge), r.stars);
  const std::vector<std::string> lines = WrapTitle(r.title);
  float y = lines.size() == 1 ? 104 : 96;
  for (const std::string& line : lines) {
    DrawText(c, Face::ArialBold, kTitlePx, line, 80, y, Align::Centre, Solid(kInk));
    y += 17;
  }
  return c;
}

}  // namespace art

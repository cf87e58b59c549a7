// SPDX-License-Identifier: MIT
// Screen backgrounds, menu panels, score popups and the splash title.
#include <string>

#include "tools/art.h"
#include "tools/pictures.h"

namespace art {
namespace {

using namespace palette;

// Where the game screen's controls sit; captions and frames are painted around them.
struct Box {
  int x, y, w, h;
};
constexpr Box kScoreBox{646, 222, 157, 21};
constexpr Box kHitsBox{646, 282, 157, 21};
constexpr Box kExpBox{642, 340, 165, 21};
constexpr Box kRankBox{832, 222, 160, 140};
constexpr Box kMusicSpot{678, 654, 85, 93};
constexpr Box kExitSpot{846, 652, 107, 95};
constexpr Box kPopupArea{730, 450, 180, 60};
constexpr Box kPanelRect{150, 444, 167, 142};
constexpr int kBoardRight = 600, kBoardTop = 150, kBoardBottom = 750;
constexpr int kScoreBand = 141;

const TitleStyle kGoldTitle{
    Rgb(255, 236, 160), Rgb(230, 160, 40), Rgb(60, 34, 6), kShadow, 3, 0.55f};

// A navy band, lighter at the top, with faint large rings for depth and a gold rule.
void DrawBand(Canvas& c, int x, int y, int w, int h) {
  c.fill(RoundRect(float(x), float(y), float(w), float(h), 0),
         VerticalGradient(float(y), kNavyLight, float(y + h), kNavy), 1, float(x), float(y),
         float(x + w), float(y + h));
  const float rings[][3] = {{0.12f, 0.2f, 0.55f}, {0.78f, 0.9f, 0.8f}, {0.5f, -0.1f, 0.4f}};
  for (const auto& r : rings) {
    const float cx = x + r[0] * w, cy = y + r[1] * h, rad = r[2] * h;
    c.fill(Intersect(Outline(Circle(cx, cy, rad), rad * 0.12f),
                     RoundRect(float(x), float(y), float(w), float(h), 0)),
           Solid(kWhite), 0.035f, float(x), float(y), float(x + w), float(y + h));
  }
}

void DrawGoldRule(Canvas& c, float x, float y, float w, float h) {
  c.fill(RoundRect(x, y, w, h, 0), VerticalGradient(y, kGold, y + h, kGoldDeep), 1, x, y, x + w,
         y + h);
}

void DrawMusicGlyph(Canvas& c, float cx, float cy) {
  const Sdf heads = Union(Ellipse(cx - 8, cy + 10, 6.5f, 5), Ellipse(cx + 10, cy + 6, 6.5f, 5));
  const Sdf stems = Union(Capsule({cx - 2.5f, cy + 9}, {cx - 2.5f, cy - 12}, 1.6f),
                          Capsule({cx + 15.5f, cy + 5}, {cx + 15.5f, cy - 16}, 1.6f));
  const Sdf beam =
      Polygon({{cx - 4, cy - 10}, {cx + 17, cy - 18}, {cx + 17, cy - 12}, {cx - 4, cy - 4}});
  c.fillSupersampled(Union(Union(heads, stems), beam), Solid(kWhite), 4, cx - 20, cy - 22, cx + 22,
                     cy + 18);
}

void DrawPowerGlyph(Canvas& c, float cx, float cy, float r) {
  const Sdf ring =
      Subtract(Outline(Circle(cx, cy + 2, r), 2.4f),
               Polygon({{cx, cy + 2}, {cx - r, cy - r * 1.6f}, {cx + r, cy - r * 1.6f}}));
  const Sdf bar = Capsule({cx, cy - r - 1}, {cx, cy + 1}, 2.4f);
  c.fillSupersampled(Union(ring, bar), Solid(kWhite), 4, cx - r - 4, cy - r - 6, cx + r + 4,
                     cy + r + 6);
}

void DrawPlayGlyph(Canvas& c, float cx, float cy, float r) {
  const Sdf tri = Grow(
      Polygon(
          {{cx - r * 0.4f, cy - r * 0.6f}, {cx + r * 0.65f, cy}, {cx - r * 0.4f, cy + r * 0.6f}}),
      1.5f);
  c.fillSupersampled(tri, Solid(kWhite), 4, cx - r, cy - r, cx + r, cy + r);
}

void DrawArrowGlyph(Canvas& c, float cx, float cy, float r) {
  const Sdf head =
      Polygon({{cx - r, cy}, {cx - r * 0.1f, cy - r * 0.75f}, {cx - r * 0.1f, cy + r * 0.75f}});
  const Sdf shaft = RoundRect(cx - r * 0.3f, cy - r * 0.28f, r * 1.25f, r * 0.56f, 2);
  c.fillSupersampled(Grow(Union(head, shaft), 0.8f), Solid(kWhite), 4, cx - r - 2, cy - r - 2,
                     cx + r + 2, cy + r + 2);
}

// A round painted button with its glyph and a caption underneath.
template <typename Glyph>
void DrawIconButton(Canvas& c, float cx, float cy, float radius, Colour top, Colour bottom,
                    Glyph glyph, const std::string& caption, int captionPx, Colour captionColour,
                    float captionY) {
  DrawRoundButton(c, cx, cy, radius, top, bottom);
  glyph(cx, cy);
  DrawText(c, Face::ArialBold, captionPx, caption, cx, captionY, Align::Centre,
           Solid(captionColour));
}

void DrawCaptionedBox(Canvas& c, Box b, const std::string& caption, bool centred) {
  const float x = float(b.x) - 3, y = float(b.y) - 3, w = float(b.w) + 6, h = float(b.h) + 6;
  DrawSoftShadow(c, RoundRect(x, y, w, h, 5), 2, 0.18f, x - 4, y - 4, x + w + 6, y + h + 6);
  c.fill(RoundRect(x, y, w, h, 5), Solid(kPanelLine), 1, x - 1, y - 1, x + w + 1, y + h + 1);
  c.fill(RoundRect(x + 1, y + 1, w - 2, h - 2, 4), Solid(kWhite), 1, x, y, x + w, y + h);
  const float tx = centred ? b.x + b.w / 2.0f : float(b.x);
  DrawText(c, Face::ArialBold, 15, caption, tx, float(b.y) - 22,
           centred ? Align::Centre : Align::Left, Solid(kInk));
}

// The seven ball kinds side by side, centred on (cx, cy).
void DrawBallRow(Canvas& c, float cx, float cy, float radius, float spacing) {
  for (int k = 0; k < kBallKinds; ++k) DrawBall(c, k, cx + (k - 3) * spacing, cy, radius);
}

// A tall menu tile: a light card with a round coloured icon and its word underneath.
template <typename Glyph>
void DrawMenuTile(Canvas& c, Box b, Colour top, Colour bottom, Glyph glyph,
                  const std::string& caption) {
  const float x = float(b.x), y = float(b.y), w = float(b.w), h = float(b.h);
  const Sdf card = RoundRect(x + 2, y + 2, w - 4, h - 4, 14);
  DrawSoftShadow(c, card, 5, 0.5f, x - 8, y - 8, x + w + 12, y + h + 12);
  c.fill(card, Solid(Rgb(150, 168, 196)), 1, x, y, x + w, y + h);
  c.fill(RoundRect(x + 3.5f, y + 3.5f, w - 7, h - 7, 12.5f),
         VerticalGradient(y, Rgb(252, 253, 255), y + h, Rgb(210, 221, 237)), 1, x, y, x + w, y + h);
  const float cx = x + w / 2, cy = y + 52;
  DrawRoundButton(c, cx, cy, 30, top, bottom);
  glyph(cx, cy);
  DrawText(c, Face::ArialBold, 21, caption, cx, y + h - 42, Align::Centre, Solid(kInk));
}

void DrawTrophyGlyph(Canvas& c, float cx, float cy) {
  const Sdf cup = Union(Intersect(Circle(cx, cy - 8, 12), RoundRect(cx - 13, cy - 8, 26, 14, 0)),
                        RoundRect(cx - 12, cy - 14, 24, 8, 1));
  const Sdf handles =
      Union(Outline(Circle(cx - 12, cy - 6, 5), 1.6f), Outline(Circle(cx + 12, cy - 6, 5), 1.6f));
  const Sdf stem =
      Union(RoundRect(cx - 2.5f, cy + 3, 5, 8, 1), RoundRect(cx - 9, cy + 10, 18, 5, 2));
  c.fillSupersampled(Union(Union(cup, handles), stem), Solid(kWhite), 4, cx - 20, cy - 20, cx + 20,
                     cy + 18);
}

Canvas MenuPanelBase() {
  Canvas c = MenuBackground().crop(kPanelRect.x, kPanelRect.y, kPanelRect.w, kPanelRect.h);
  const Sdf box = RoundRect(3, 3, 159, 134, 12);
  DrawSoftShadow(c, box, 3, 0.45f, 0, 0, 167, 142);
  c.fill(box, Solid(kPanelLine), 1, 0, 0, 167, 142);
  c.fill(RoundRect(4.5f, 4.5f, 156, 131, 10.5f), Solid(kWhite), 1, 0, 0, 167, 142);
  return c;
}

// The panel's heading strip; the texts and entry fields go below y = 46.
void DrawPanelHeading(Canvas& c, const std::string& heading) {
  const Sdf strip = Intersect(RoundRect(4.5f, 4.5f, 156, 131, 10.5f), RoundRect(0, 0, 167, 40, 0));
  c.fill(strip, VerticalGradient(4, kNavyLight, 40, kNavy), 1, 0, 0, 167, 41);
  c.fill(RoundRect(4.5f, 39, 156, 2, 0), Solid(kGold), 1, 0, 38, 167, 42);
  DrawText(c, Face::ArialBold, 16, heading, 83.5f, 12, Align::Centre, Solid(kWhite));
}

}  // namespace

Canvas PlainWhite(int width, int height) {
  return Canvas(width, height, kWhite);
}

Canvas GameBackground() {
  Canvas c(1024, 768, kPanel);
  DrawBand(c, 0, 0, 1024, kBoardTop);
  // The board's frame: navy on top, right and bottom, a gold line against the board.
  c.fillRect(kBoardRight, kBoardTop, 12, 768 - kBoardTop, kNavy);
  c.fillRect(0, kBoardBottom, kBoardRight + 12, 768 - kBoardBottom, kNavy);
  DrawGoldRule(c, 0, kBoardTop - 3, kBoardRight + 3, 3);
  DrawGoldRule(c, kBoardRight, kBoardTop - 3, 3, kBoardBottom - kBoardTop + 6);
  DrawGoldRule(c, 0, kBoardBottom, kBoardRight + 3, 3);
  c.fillRect(0, kBoardTop, kBoardRight, kBoardBottom - kBoardTop, kWhite);
  // Panel edge shading next to the frame, as the frame casts it.
  c.fill(
      RoundRect(612, kBoardTop, 14, 768 - kBoardTop, 0),
      [](float x, float) { return Mix(Scale(kPanel, 0.82f), kPanel, (x - 612) / 14); }, 1, 612,
      kBoardTop, 626, 768);
  DrawTitle(c, Face::VerdanaBold, 84, "Zentorra", 300, 14, kGoldTitle);
  DrawBallRow(c, 818, 74, 15, 38);
  DrawText(c, Face::ArialBold, 14, "Turn the rings, line them up", 818, 100, Align::Centre,
           Solid(Rgb(190, 206, 232)));

  DrawCaptionedBox(c, kScoreBox, "Score", false);
  DrawCaptionedBox(c, kHitsBox, "Hits", false);
  DrawCaptionedBox(c, kExpBox, "EXP.", false);
  DrawCaptionedBox(c, kRankBox, "Military Rank", true);

  c.fill(RoundRect(640, 628, 360, 1.5f, 0), Solid(kPanelLine), 1, 640, 626, 1000, 631);
  const float musicX = kMusicSpot.x + kMusicSpot.w / 2.0f, exitX = kExitSpot.x + kExitSpot.w / 2.0f;
  DrawIconButton(
      c, musicX, kMusicSpot.y + 34.0f, 30, Rgb(70, 190, 240), kAccentDeep,
      [&](float x, float y) { DrawMusicGlyph(c, x, y); }, "Music", 16, kInk, kMusicSpot.y + 70.0f);
  DrawIconButton(
      c, exitX, kExitSpot.y + 36.0f, 30, Rgb(240, 96, 90), Rgb(160, 24, 30),
      [&](float x, float y) { DrawPowerGlyph(c, x, y, 12); }, "Exit", 16, kInk,
      kExitSpot.y + 72.0f);
  return c;
}

Canvas Popup(int kind) {
  static const char* kText[] = {"Double Hit!", "+300", "+600", "+1000", "+1500"};
  static const Colour kTop[] = {Rgb(255, 130, 90), Rgb(80, 196, 245), Rgb(90, 210, 140),
                                Rgb(180, 140, 245), Rgb(255, 214, 110)};
  static const Colour kBottom[] = {Rgb(200, 40, 40), Rgb(8, 110, 180), Rgb(24, 140, 70),
                                   Rgb(100, 50, 180), Rgb(210, 130, 20)};
  Canvas c = GameBackground().crop(kPopupArea.x, kPopupArea.y, kPopupArea.w, kPopupArea.h);
  const Colour top = kTop[kind], bottom = kBottom[kind];
  const Sdf pill = RoundRect(6, 6, 166, 46, 23);
  DrawSoftShadow(c, pill, 3, 0.35f, 0, 0, 180, 60);
  c.fill(pill, Solid(Scale(bottom, 0.75f)), 1, 0, 0, 180, 60);
  c.fill(RoundRect(8, 8, 162, 42, 21), VerticalGradient(8, top, 50, bottom), 1, 0, 0, 180, 60);
  c.fill(RoundRect(14, 10, 150, 17, 8.5f), VerticalGradient(10, Mix(top, kWhite, 0.6f), 27, top),
         0.55f, 0, 0, 180, 30);
  int px = 32;  // largest size that leaves the two stars free
  while (TextWidth(Face::VerdanaBold, px, kText[kind]) > 120) --px;
  const Mask outline = TextMask(Face::VerdanaBold, px, kText[kind], 2);
  const Mask fill = TextMask(Face::VerdanaBold, px, kText[kind]);
  const int tx = (180 - fill.width) / 2, ty = (58 - fill.height) / 2;
  c.drawMask(outline, tx - 2 + 1, ty - 2 + 1, Solid(Scale(bottom, 0.45f)), 0.9f);
  c.drawMask(fill, tx, ty,
             VerticalGradient(float(ty + 6), kWhite, float(ty + fill.height), Rgb(255, 240, 200)));
  for (float sx : {17.0f, 163.0f}) DrawGoldStar(c, sx, 29, 6);
  return c;
}

Canvas MenuBackground() {
  Canvas c(1024, 768);
  DrawBand(c, 0, 0, 1024, 768);
  DrawTitle(c, Face::VerdanaBold, 120, "Zentorra", 512, 70, kGoldTitle);
  DrawText(c, Face::ArialBold, 22, "Turn the rings. Line up the colours. Rise through the ranks.",
           512, 228, Align::Centre, Solid(Rgb(200, 214, 238)));
  // A glossy tray holding the seven balls.
  const Sdf tray = RoundRect(232, 290, 560, 96, 48);
  DrawSoftShadow(c, tray, 6, 0.5f, 220, 280, 810, 400);
  c.fill(tray, VerticalGradient(290, Rgb(250, 252, 255), 386, Rgb(206, 218, 236)), 1, 230, 288, 794,
         388);
  DrawBallRow(c, 512, 338, 33, 76);
  DrawGoldRule(c, 262, 420, 500, 2);

  DrawMenuTile(
      c, {180, 598, 94, 137}, Rgb(70, 200, 120), Rgb(20, 130, 60),
      [&](float x, float y) { DrawPlayGlyph(c, x, y, 22); }, "Play");
  DrawMenuTile(
      c, {352, 594, 96, 140}, Rgb(255, 214, 110), Rgb(210, 130, 20),
      [&](float x, float y) { DrawTrophyGlyph(c, x, y); }, "Score");
  DrawMenuTile(
      c, {686, 596, 108, 140}, Rgb(240, 96, 90), Rgb(160, 24, 30),
      [&](float x, float y) { DrawPowerGlyph(c, x, y, 12); }, "Quit");
  DrawPillButton(c, 936, 718, 83, 40, "How To Play", 12, Rgb(70, 190, 240), kAccentDeep);
  return c;
}

Canvas NamePanel() {
  Canvas c = MenuPanelBase();
  DrawPanelHeading(c, "Who is playing?");
  return c;
}

Canvas AskPanel() {
  Canvas c = MenuPanelBase();
  DrawPanelHeading(c, "Start a new game");
  return c;
}

Canvas NewGamePanel() {
  Canvas c = MenuPanelBase();
  DrawPanelHeading(c, "Welcome back!");
  DrawPillButton(c, 16, 54, 137, 37, "New Game", 17, Rgb(255, 214, 110), Rgb(210, 130, 20));
  DrawPillButton(c, 28, 98, 113, 35, "Continue", 17, Rgb(70, 200, 120), Rgb(20, 130, 60));
  return c;
}

Canvas ScoreBackground() {
  Canvas c(1024, 768, kWhite);
  DrawBand(c, 0, 0, 1024, kScoreBand);
  DrawGoldRule(c, 0, kScoreBand - 3, 1024, 3);
  DrawTitle(c, Face::VerdanaBold, 72, "High Score", 470, 24, kGoldTitle);
  for (float x : {126.0f, 814.0f}) DrawGoldStar(c, x, 70, 20);
  const float cx = 896 + 56.5f;
  DrawIconButton(
      c, cx, 72, 34, Rgb(70, 190, 240), kAccentDeep,
      [&](float x, float y) { DrawArrowGlyph(c, x, y, 18); }, "Back", 16, kWhite, 112);
  return c;
}

Canvas SplashTitle() {
  Canvas c(600, 150, kWhite);
  const TitleStyle style{Rgb(70, 110, 190), kNavy, kGoldDeep, Rgb(60, 70, 90), 3, 0.35f};
  DrawTitle(c, Face::VerdanaBold, 100, "Zentorra", 300, 0, style);
  DrawBallRow(c, 300, 134, 8, 24);
  return c;
}

}  // namespace art

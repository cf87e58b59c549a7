// SPDX-License-Identifier: MIT
// The game's look: one palette, light from the top-left, and the pieces that several
// pictures share (balls, stars, painted buttons).
#pragma once

#include <string>

#include "tools/canvas.h"
#include "tools/shapes.h"
#include "tools/text.h"

namespace art {

namespace palette {
inline constexpr Colour kWhite = Rgb(255, 255, 255);
inline constexpr Colour kNavy = Rgb(22, 38, 72);
inline constexpr Colour kNavyLight = Rgb(44, 74, 126);
inline constexpr Colour kInk = Rgb(30, 43, 64);  // body text
inline constexpr Colour kGold = Rgb(246, 196, 78);
inline constexpr Colour kGoldDeep = Rgb(196, 136, 38);
inline constexpr Colour kPanel = Rgb(232, 238, 246);  // right-hand panel, menu lower half
inline constexpr Colour kPanelLine = Rgb(190, 202, 220);
inline constexpr Colour kAccent = Rgb(10, 154, 215);  // the progress bar's colour
inline constexpr Colour kAccentDeep = Rgb(6, 104, 170);
inline constexpr Colour kShadow = Rgb(10, 20, 40);
}  // namespace palette

inline constexpr int kBallKinds = 7;
inline constexpr int kIceKind = 6;

// Draws ball `kind` with its centre at (cx, cy); kinds 0..5 are glossy spheres, kind 6
// the ice crystal. Only the ball's own pixels change.
void DrawBall(Canvas& c, int kind, float cx, float cy, float radius);

// A five-pointed gold star with a darker rim and a lit upper-left half.
void DrawGoldStar(Canvas& c, float cx, float cy, float radius);

// A glossy round button face (accent gradient, rim, highlight) centred at (cx, cy).
void DrawRoundButton(Canvas& c, float cx, float cy, float radius, Colour top, Colour bottom);

// A glossy rounded-rectangle button with a centred caption.
void DrawPillButton(Canvas& c, float x, float y, float w, float h, const std::string& caption,
                    int fontPx, Colour top, Colour bottom);

// A soft shadow under a shape, offset down-right, as light from the top-left casts it.
void DrawSoftShadow(Canvas& c, const Sdf& shape, float spread, float opacity, float x0, float y0,
                    float x1, float y1);

}  // namespace art

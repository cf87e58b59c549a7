// SPDX-License-Identifier: MIT
// Text for the pictures, rendered with SDL2_ttf from the fonts the game ships with.
#pragma once

#include <string>

#include "tools/canvas.h"

namespace art {

enum class Face { Arial, ArialBold, Verdana, VerdanaBold };

// Opens the fonts in fontDir on first use; TTF must stay initialised while text is drawn.
void SetFontDir(const std::string& fontDir);
void CloseFonts();

// The anti-aliased coverage of a line of text; outline > 0 widens the strokes.
Mask TextMask(Face face, int sizePx, const std::string& text, int outline = 0);
int TextWidth(Face face, int sizePx, const std::string& text);

enum class Align { Left, Centre, Right };

// Draws one line with its box's top edge at y; x is the left edge, centre or right edge.
void DrawText(Canvas& c, Face face, int sizePx, const std::string& text, float x, float y,
              Align align, const Paint& paint);

// A display title: soft drop shadow, dark outline and a gradient fill.
struct TitleStyle {
  Colour top, bottom, outline, shadow;
  int outlineWidth = 2;
  float shadowOpacity = 0.45f;
};
void DrawTitle(Canvas& c, Face face, int sizePx, const std::string& text, float centreX, float y,
               const TitleStyle& style);

}  // namespace art

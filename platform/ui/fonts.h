// SPDX-License-Identifier: MIT
// The two desktop font families the screens name: on Windows the desktop's own (through
// GDI); on Linux the free fonts the build copies into resources/fonts, Arial as Liberation
// Sans and Verdana as DejaVu Sans.
#pragma once

#include <string>

#include "platform/ui/drawing.h"

namespace platform::detail {

struct FontSpec {
  std::string name = "Arial";
  double points = 9.0;  // at 96 dots per inch
  bool bold = false, underline = false;
  bool operator==(const FontSpec&) const = default;
};

// Pixel size of the font: points * 96 / 72.
int FontPixels(double points);
// Width in pixels of one line of text, and the height of a line.
int TextWidth(const FontSpec& font, const std::string& utf8);
int LineHeight(const FontSpec& font);
// One line of anti-aliased text as a coverage mask, LineHeight() high. Empty when the
// font cannot be opened (reported once on stderr).
Mask RenderLine(const FontSpec& font, const std::string& utf8);

}  // namespace platform::detail

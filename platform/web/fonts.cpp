// SPDX-License-Identifier: MIT
// Text with stb_truetype from the program's own font files (subset to the characters the
// screens can show). Advances are whole pixels and lines as high as ascent to descent, as
// the desktop's renderer measures them, so the labels lay out the same.
#define STB_TRUETYPE_IMPLEMENTATION
#include <stb_truetype.h>

#include <cmath>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>

#include "platform/files/places.h"
#include "platform/ui/fonts.h"

namespace platform::detail {
namespace {

struct FontFile {
  std::vector<unsigned char> bytes;
  stbtt_fontinfo info{};
  bool ok = false;
};

std::string FileOf(const FontSpec& font) {
  if (font.name == "Verdana") return font.bold ? "DejaVuSans-Bold.ttf" : "DejaVuSans.ttf";
  return font.bold ? "LiberationSans-Bold.ttf" : "LiberationSans-Regular.ttf";
}

const FontFile& Open(const FontSpec& font) {
  static std::map<std::string, std::unique_ptr<FontFile>> files;
  const std::string name = FileOf(font);
  auto& file = files[name];
  if (file) return *file;
  file = std::make_unique<FontFile>();
  std::ifstream in(AssetFolder() / "resources" / "fonts" / name, std::ios::binary);
  file->bytes.assign(std::istreambuf_iterator<char>(in), {});
  file->ok = !file->bytes.empty() && stbtt_InitFont(&file->info, file->bytes.data(), 0);
  if (!file->ok) std::cerr << "Cannot open font " << name << "\n";
  return *file;
}

struct Metrics {
  float scale;
  int ascent, descent;  // in pixels, descent negative
};

Metrics MetricsOf(const FontFile& file, const FontSpec& font) {
  const float scale = stbtt_ScaleForMappingEmToPixels(&file.info, float(FontPixels(font.points)));
  int ascent = 0, descent = 0, gap = 0;
  stbtt_GetFontVMetrics(&file.info, &ascent, &descent, &gap);
  return {scale, int(std::ceil(ascent * scale)), int(std::ceil(descent * scale))};
}

// Decodes UTF-8; a broken sequence gives the replacement mark.
std::vector<int> CodePoints(const std::string& utf8) {
  std::vector<int> points;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80       ? 1
                       : lead >> 5 == 6  ? 2
                       : lead >> 4 == 14 ? 3
                       : lead >> 3 == 30 ? 4
                                         : 0;
    if (length == 0 || i + length > utf8.size()) {
      points.push_back(0xFFFD);
      ++i;
      continue;
    }
    int point = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) point = point << 6 | (utf8[i + k] & 0x3F);
    points.push_back(point);
    i += length;
  }
  return points;
}

int Advance(const FontFile& file, float scale, int point) {
  int advance = 0, bearing = 0;
  stbtt_GetCodepointHMetrics(&file.info, point, &advance, &bearing);
  return int(std::lround(advance * scale));
}

}  // namespace

int FontPixels(double points) {
  return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

int TextWidth(const FontSpec& font, const std::string& utf8) {
  const FontFile& file = Open(font);
  if (!file.ok) return 0;
  const float scale = MetricsOf(file, font).scale;
  int width = 0;
  for (int point : CodePoints(utf8)) width += Advance(file, scale, point);
  return width;
}

int LineHeight(const FontSpec& font) {
  const FontFile& file = Open(font);
  if (!file.ok) return FontPixels(font.points);
  const Metrics m = MetricsOf(file, font);
  return m.ascent - m.descent;
}

Mask RenderLine(const FontSpec& font, const std::string& utf8) {
  const FontFile& file = Open(font);
  const int width = TextWidth(font, utf8);
  if (!file.ok || width <= 0) return {};
  const Metrics m = MetricsOf(file, font);
  Mask mask{width, m.ascent - m.descent, {}};
  mask.alpha.assign(std::size_t(mask.width) * mask.height, 0);
  int penX = 0;
  for (int point : CodePoints(utf8)) {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetCodepointBitmapBox(&file.info, point, m.scale, m.scale, &x0, &y0, &x1, &y1);
    std::vector<unsigned char> glyph(std::size_t(std::max(x1 - x0, 0)) * std::max(y1 - y0, 0));
    if (!glyph.empty())
      stbtt_MakeCodepointBitmap(&file.info, glyph.data(), x1 - x0, y1 - y0, x1 - x0, m.scale,
                                m.scale, point);
    for (int gy = 0; gy < y1 - y0; ++gy) {
      const int y = m.ascent + y0 + gy;
      if (y < 0 || y >= mask.height) continue;
      for (int gx = 0; gx < x1 - x0; ++gx) {
        const int x = penX + x0 + gx;
        if (x < 0 || x >= mask.width) continue;
        unsigned char& cell = mask.alpha[std::size_t(y) * mask.width + x];
        cell = static_cast<unsigned char>(
            std::min(255, cell + glyph[std::size_t(gy) * (x1 - x0) + gx]));
      }
    }
    penX += Advance(file, m.scale, point);
  }
  if (font.underline) {
    const int thickness = std::max(1, FontPixels(font.points) / 14);
    for (int y = m.ascent + 1; y < std::min(mask.height, m.ascent + 1 + thickness); ++y)
      std::fill_n(mask.alpha.begin() + std::ptrdiff_t(y) * mask.width, mask.width, 255);
  }
  return mask;
}

}  // namespace platform::detail

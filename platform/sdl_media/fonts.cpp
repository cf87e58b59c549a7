// SPDX-License-Identifier: MIT
#include "platform/ui/fonts.h"

#include <SDL2/SDL_ttf.h>

#include <cmath>
#include <iostream>
#include <map>
#include <tuple>

#include "platform/files/files.h"
#include "platform/files/places.h"

namespace platform::detail {
namespace {

std::string FileOf(const FontSpec& font) {
  if (font.name == "Verdana") return font.bold ? "DejaVuSans-Bold.ttf" : "DejaVuSans.ttf";
  return font.bold ? "LiberationSans-Bold.ttf" : "LiberationSans-Regular.ttf";
}

// The program's own copy first; the system's font packages when it runs from elsewhere.
// A copy that cannot be opened as a regular file (in a folder that cannot be read, or a
// named pipe in its place) is passed over. nullptr when none opens.
SDL_RWops* OpenFontFile(const std::string& file) {
  const std::filesystem::path candidates[] = {
      AssetFolder() / "resources" / "fonts" / file,
      std::filesystem::path("/usr/share/fonts/truetype/liberation") / file,
      std::filesystem::path("/usr/share/fonts/truetype/dejavu") / file};
  for (const auto& path : candidates) {
    std::error_code error;
    std::FILE* stream = files::OpenForReading(path, error);
    if (!stream) continue;
    if (SDL_RWops* opened = SDL_RWFromFP(stream, SDL_TRUE)) return opened;
    std::fclose(stream);
  }
  return nullptr;
}

// Every font opened, kept open for the whole run and closed at its end.
class OpenFonts {
 public:
  using Key = std::tuple<std::string, int, bool, bool>;
  ~OpenFonts() {
    for (auto& [key, font] : fonts)
      if (font) TTF_CloseFont(font);
    if (TTF_WasInit()) TTF_Quit();
  }
  std::map<Key, TTF_Font*> fonts;
};

TTF_Font* OpenFont(const FontSpec& font) {
  using Key = OpenFonts::Key;
  static OpenFonts openFonts;
  auto& open = openFonts.fonts;
  const Key key{font.name, FontPixels(font.points), font.bold, font.underline};
  if (auto it = open.find(key); it != open.end()) return it->second;
  if (!TTF_WasInit() && TTF_Init() != 0) {
    std::cerr << "Cannot start the font renderer: " << TTF_GetError() << "\n";
    return open[key] = nullptr;
  }
  const std::string file = FileOf(font);
  SDL_RWops* source = OpenFontFile(file);
  TTF_Font* opened = source ? TTF_OpenFontRW(source, 1, FontPixels(font.points)) : nullptr;
  if (!opened) {
    std::cerr << "Cannot open font " << file << ": "
              << (source ? TTF_GetError() : "no readable copy") << "\n";
    return open[key] = nullptr;
  }
  // Light hinting keeps the designed advance widths, which match the desktop fonts' widths
  // that the screens' label sizes were made for.
  TTF_SetFontHinting(opened, TTF_HINTING_LIGHT);
  if (font.underline) TTF_SetFontStyle(opened, TTF_STYLE_UNDERLINE);
  return open[key] = opened;
}

}  // namespace

int FontPixels(double points) {
  return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

int TextWidth(const FontSpec& font, const std::string& utf8) {
  TTF_Font* ttf = OpenFont(font);
  int w = 0, h = 0;
  if (!ttf || utf8.empty() || TTF_SizeUTF8(ttf, utf8.c_str(), &w, &h) != 0) return 0;
  return w;
}

int LineHeight(const FontSpec& font) {
  TTF_Font* ttf = OpenFont(font);
  return ttf ? TTF_FontHeight(ttf) : FontPixels(font.points);
}

Mask RenderLine(const FontSpec& font, const std::string& utf8) {
  TTF_Font* ttf = OpenFont(font);
  if (!ttf || utf8.empty()) return {};
  SDL_Surface* rendered = TTF_RenderUTF8_Blended(ttf, utf8.c_str(), SDL_Color{255, 255, 255, 255});
  if (!rendered) return {};
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(rendered);
  if (!argb) return {};
  Mask mask{argb->w, argb->h, std::vector<unsigned char>(std::size_t(argb->w) * argb->h)};
  for (int y = 0; y < argb->h; ++y) {
    const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) +
                                                      std::size_t(y) * argb->pitch);
    for (int x = 0; x < argb->w; ++x) mask.alpha[std::size_t(y) * argb->w + x] = row[x] >> 24;
  }
  SDL_FreeSurface(argb);
  return mask;
}

}  // namespace platform::detail

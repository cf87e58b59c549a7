// SPDX-License-Identifier: MIT
#include "tools/text.h"

#include <SDL_ttf.h>

#include <map>
#include <stdexcept>
#include <utility>

namespace art {
namespace {

std::string g_fontDir;

const char* FileOf(Face face) {
  switch (face) {
    case Face::Arial:
      return "LiberationSans-Regular.ttf";
    case Face::ArialBold:
      return "LiberationSans-Bold.ttf";
    case Face::Verdana:
      return "DejaVuSans.ttf";
    case Face::VerdanaBold:
      return "DejaVuSans-Bold.ttf";
  }
  return "";
}

std::map<std::pair<Face, int>, TTF_Font*> g_open;

TTF_Font* FontOf(Face face, int sizePx) {
  auto& font = g_open[{face, sizePx}];
  if (!font) {
    if (!TTF_WasInit() && TTF_Init() != 0) throw std::runtime_error(TTF_GetError());
    const std::string path = g_fontDir + "/" + FileOf(face);
    font = TTF_OpenFont(path.c_str(), sizePx);
    if (!font) throw std::runtime_error("cannot open font " + path + ": " + TTF_GetError());
    TTF_SetFontHinting(font, TTF_HINTING_LIGHT);
  }
  return font;
}

}  // namespace

void SetFontDir(const std::string& fontDir) {
  g_fontDir = fontDir;
}

void CloseFonts() {
  for (auto& [key, font] : g_open) TTF_CloseFont(font);
  g_open.clear();
  if (TTF_WasInit()) TTF_Quit();
}

Mask TextMask(Face face, int sizePx, const std::string& text, int outline) {
  TTF_Font* font = FontOf(face, sizePx);
  TTF_SetFontOutline(font, outline);
  SDL_Surface* s = TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color{255, 255, 255, 255});
  TTF_SetFontOutline(font, 0);
  if (!s) throw std::runtime_error(TTF_GetError());
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(s);
  if (!argb) throw std::runtime_error(SDL_GetError());
  Mask m{argb->w, argb->h, std::vector<float>(static_cast<std::size_t>(argb->w) * argb->h)};
  for (int y = 0; y < argb->h; ++y) {
    const auto* row =
        reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) + y * argb->pitch);
    for (int x = 0; x < argb->w; ++x) m.alpha[y * m.width + x] = float(row[x] >> 24) / 255.0f;
  }
  SDL_FreeSurface(argb);
  return m;
}

int TextWidth(Face face, int sizePx, const std::string& text) {
  int w = 0, h = 0;
  TTF_SizeUTF8(FontOf(face, sizePx), text.c_str(), &w, &h);
  return w;
}

void DrawText(Canvas& c, Face face, int sizePx, const std::string& text, float x, float y,
              Align align, const Paint& paint) {
  const Mask m = TextMask(face, sizePx, text);
  const float left = align == Align::Left     ? x
                     : align == Align::Centre ? x - m.width / 2.0f
                                              : x - m.width;
  c.drawMask(m, int(left + 0.5f), int(y + 0.5f), paint);
}

void DrawTitle(Canvas& c, Face face, int sizePx, const std::string& text, float centreX, float y,
               const TitleStyle& style) {
  const int ow = style.outlineWidth;
  const Mask fill = TextMask(face, sizePx, text);
  const Mask outline = TextMask(face, sizePx, text, ow);
  const int left = int(centreX - fill.width / 2.0f + 0.5f), top = int(y + 0.5f);
  const int blur = std::max(2, sizePx / 16), offset = std::max(2, sizePx / 20);
  const Mask shadow = Blur(outline, blur, blur * 3);
  c.drawMask(shadow, left - ow - blur * 3 + offset, top - ow - blur * 3 + offset,
             Solid(style.shadow), style.shadowOpacity);
  c.drawMask(outline, left - ow, top - ow, Solid(style.outline));
  const float glyphTop = top + fill.height * 0.2f, glyphBottom = top + fill.height * 0.8f;
  c.drawMask(fill, left, top, VerticalGradient(glyphTop, style.top, glyphBottom, style.bottom));
}

}  // namespace art

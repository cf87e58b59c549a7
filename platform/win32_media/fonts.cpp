// SPDX-License-Identifier: MIT
// Text on Windows: the desktop's own Arial and Verdana through GDI, drawn anti-aliased
// into a memory bitmap and read back as a coverage mask.
#include "platform/ui/fonts.h"

#include <cmath>
#include <iostream>
#include <map>
#include <tuple>

#include "platform/win32_media/text.h"

// After the layer's headers: the desktop's headers define some of their names as macros.
#include <windows.h>

namespace platform::detail {
namespace {

// A memory device context for measuring and drawing, and every font made, kept for the
// whole run and released at its end.
class GdiText {
 public:
  GdiText() : dc_(CreateCompatibleDC(nullptr)) {}
  ~GdiText() {
    if (dc_) DeleteDC(dc_);
    for (auto& [key, font] : fonts_)
      if (font) DeleteObject(font);
  }
  GdiText(const GdiText&) = delete;
  GdiText& operator=(const GdiText&) = delete;

  // The device context with the font selected, or nullptr when it cannot be made.
  HDC With(const FontSpec& font) {
    HFONT made = Font(font);
    if (!dc_ || !made) return nullptr;
    SelectObject(dc_, made);
    return dc_;
  }

 private:
  using Key = std::tuple<std::string, int, bool, bool>;
  HFONT Font(const FontSpec& font) {
    const Key key{font.name, FontPixels(font.points), font.bold, font.underline};
    if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
    // A negative height asks for the character height in pixels: the point size at 96
    // dots per inch, as the screens were laid out for.
    HFONT made = CreateFontW(-FontPixels(font.points), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                             FALSE, font.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, win32::Widen(font.name).c_str());
    if (!made) std::cerr << "Cannot make the font " << font.name << "\n";
    return fonts_[key] = made;
  }

  HDC dc_;
  std::map<Key, HFONT> fonts_;
};

GdiText& Gdi() {
  static GdiText gdi;
  return gdi;
}

}  // namespace

int FontPixels(double points) {
  return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

int TextWidth(const FontSpec& font, const std::string& utf8) {
  HDC dc = Gdi().With(font);
  const std::wstring text = win32::Widen(utf8);
  SIZE size{};
  if (!dc || text.empty() ||
      !GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size))
    return 0;
  return size.cx;
}

int LineHeight(const FontSpec& font) {
  HDC dc = Gdi().With(font);
  TEXTMETRICW metrics{};
  if (!dc || !GetTextMetricsW(dc, &metrics)) return FontPixels(font.points);
  return metrics.tmHeight;
}

Mask RenderLine(const FontSpec& font, const std::string& utf8) {
  const int width = TextWidth(font, utf8), height = LineHeight(font);
  HDC dc = Gdi().With(font);
  if (!dc || width <= 0 || height <= 0) return {};
  // White text on black in a 32-bit top-down bitmap: the green channel is the coverage.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return {};
  HGDIOBJ previous = SelectObject(dc, bitmap);
  const std::wstring text = win32::Widen(utf8);
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(0, 0, 0));
  SetTextColor(dc, RGB(255, 255, 255));
  TextOutW(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
  GdiFlush();
  Mask mask{width, height, std::vector<unsigned char>(std::size_t(width) * height)};
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (std::size_t i = 0; i < mask.alpha.size(); ++i) mask.alpha[i] = (pixels[i] >> 8) & 0xFF;
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  return mask;
}

}  // namespace platform::detail

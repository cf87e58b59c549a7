// SPDX-License-Identifier: MIT
// Mouse pointers of the Win32 backend: the arrow, the hand, and colour pointers made from
// the screens' pointer pictures (made once per picture); and the windows' icons.
#include <vector>

#include "platform/win32/window.h"

namespace platform::win32 {
namespace {

struct CustomPointer {
  gfx::Surface picture;
  HCURSOR cursor;
};
std::vector<CustomPointer> customPointers;

// A 32-bit bitmap with alpha: opaque, or clear where the pointer is transparent.
HBITMAP ColourBitmap(const gfx::Surface& picture, bool pointer) {
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = picture.width();
  header.bV5Height = -picture.height();
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!bitmap) return nullptr;
  const gfx::Pixel transparent = picture.at(0, 0);
  auto* out = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const gfx::Pixel p = picture.at(x, y);
      *out++ = pointer && p == transparent ? 0 : (0xFF000000u | p);
    }
  }
  return bitmap;
}

// The AND mask: set where the pointer is transparent. Rows are padded to 16 bits.
HBITMAP MaskBitmap(const gfx::Surface& picture, bool pointer) {
  const int rowBytes = (picture.width() + 15) / 16 * 2;
  std::vector<unsigned char> bits(static_cast<std::size_t>(rowBytes) * picture.height(), 0);
  const gfx::Pixel transparent = picture.at(0, 0);
  for (int y = 0; pointer && y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.at(x, y) == transparent)
        bits[static_cast<std::size_t>(y) * rowBytes + x / 8] |= 0x80 >> (x % 8);
    }
  }
  return CreateBitmap(picture.width(), picture.height(), 1, 1, bits.data());
}

}  // namespace

HICON MakeIcon(const gfx::Surface& picture, bool pointer) {
  if (picture.empty()) return nullptr;
  HBITMAP colour = ColourBitmap(picture, pointer);
  HBITMAP mask = MaskBitmap(picture, pointer);
  ICONINFO info{};
  info.fIcon = pointer ? FALSE : TRUE;
  info.hbmColor = colour;
  info.hbmMask = mask;
  HICON icon = colour && mask ? CreateIconIndirect(&info) : nullptr;
  if (colour) DeleteObject(colour);
  if (mask) DeleteObject(mask);
  return icon;
}

HCURSOR PointerFor(const Control* control) {
  static HCURSOR arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  static HCURSOR hand = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));
  if (!control || control->Pointer() == MousePointer::Default) return arrow;
  if (control->Pointer() == MousePointer::Custom && !control->MouseIcon().empty()) {
    for (const CustomPointer& known : customPointers)
      if (known.picture == control->MouseIcon()) return known.cursor;
    if (HCURSOR made = MakeIcon(control->MouseIcon(), true)) {
      customPointers.push_back({control->MouseIcon(), made});
      return made;
    }
  }
  return hand;
}

void FreePointers() {
  for (CustomPointer& known : customPointers) DestroyCursor(known.cursor);
  customPointers.clear();
}

}  // namespace platform::win32

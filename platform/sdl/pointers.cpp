// SPDX-License-Identifier: MIT
// Mouse pointers of the SDL backend: the arrow, the hand, and colour pointers made from
// the screens' pointer pictures (made once per picture).
#include <vector>

#include "platform/sdl/window.h"

namespace platform::detail {
namespace {

struct CustomPointer {
  gfx::Surface picture;
  SDL_Cursor* cursor;
};
std::vector<CustomPointer> customPointers;
SDL_Cursor* arrow = nullptr;
SDL_Cursor* hand = nullptr;
SDL_Cursor* current = nullptr;

SDL_Cursor* MakeColourPointer(const gfx::Surface& picture) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, picture.width(), picture.height(), 32,
                                                        SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return nullptr;
  const gfx::Pixel transparent = picture.at(0, 0);
  for (int y = 0; y < picture.height(); ++y) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) +
                                          std::size_t(y) * surface->pitch);
    for (int x = 0; x < picture.width(); ++x) {
      const gfx::Pixel p = picture.at(x, y);
      row[x] = p == transparent ? 0 : (0xFF000000u | p);
    }
  }
  SDL_Cursor* cursor = SDL_CreateColorCursor(surface, 0, 0);
  SDL_FreeSurface(surface);
  return cursor;
}

SDL_Cursor* PointerFor(const Control* control) {
  if (!control || control->Pointer() == MousePointer::Default) {
    if (!arrow) arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    return arrow;
  }
  if (control->Pointer() == MousePointer::Custom && !control->MouseIcon().empty()) {
    for (const CustomPointer& known : customPointers)
      if (known.picture == control->MouseIcon()) return known.cursor;
    SDL_Cursor* made = MakeColourPointer(control->MouseIcon());
    if (made) {
      customPointers.push_back({control->MouseIcon(), made});
      return made;
    }
  }
  if (!hand) hand = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
  return hand;
}

}  // namespace

void SetPointerFor(const Control* control) {
  SDL_Cursor* wanted = PointerFor(control);
  if (wanted && wanted != current) {
    SDL_SetCursor(wanted);
    current = wanted;
  }
}

void FreePointers() {
  for (CustomPointer& known : customPointers) SDL_FreeCursor(known.cursor);
  customPointers.clear();
  if (arrow) SDL_FreeCursor(arrow);
  if (hand) SDL_FreeCursor(hand);
  arrow = hand = current = nullptr;
}

}  // namespace platform::detail

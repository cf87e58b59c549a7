// SPDX-License-Identifier: MIT
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <iostream>

#include "platform/files/files.h"
#include "platform/files/places.h"
#include "platform/loop/system.h"

namespace platform {

gfx::Surface LoadPicture(const std::string& name) {
  const std::filesystem::path path = AssetFolder() / "resources" / name;
  std::error_code error;
  std::FILE* stream = files::OpenForReading(path, error);
  if (!stream) {
    std::cerr << "Cannot load picture " << path << ": " << error.message() << "\n";
    return {};
  }
  SDL_RWops* file = SDL_RWFromFP(stream, SDL_TRUE);
  if (!file) std::fclose(stream);
  SDL_Surface* loaded = file ? IMG_Load_RW(file, 1) : nullptr;
  if (!loaded) {
    std::cerr << "Cannot load picture " << path << ": " << IMG_GetError() << "\n";
    return {};
  }
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (!argb) {
    std::cerr << "Cannot convert picture " << path << ": " << SDL_GetError() << "\n";
    return {};
  }
  gfx::Surface picture(argb->w, argb->h);
  for (int y = 0; y < argb->h; ++y) {
    const auto* source = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) +
                                                         static_cast<std::size_t>(y) * argb->pitch);
    gfx::Pixel* target = picture.row(y);
    for (int x = 0; x < argb->w; ++x) target[x] = source[x] & 0x00FFFFFF;
  }
  SDL_FreeSurface(argb);
  return picture;
}

}  // namespace platform

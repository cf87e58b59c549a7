// SPDX-License-Identifier: MIT
// Pictures with stb_image: the program's PNGs as 0x00RRGGBB surfaces.
#define STBI_ONLY_PNG
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

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
  int width = 0, height = 0, channels = 0;
  unsigned char* pixels = stbi_load_from_file(stream, &width, &height, &channels, 3);
  std::fclose(stream);
  if (!pixels) {
    std::cerr << "Cannot load picture " << path << ": " << stbi_failure_reason() << "\n";
    return {};
  }
  gfx::Surface picture(width, height);
  for (int y = 0; y < height; ++y) {
    const unsigned char* source = pixels + std::size_t(y) * width * 3;
    gfx::Pixel* target = picture.row(y);
    for (int x = 0; x < width; ++x, source += 3)
      target[x] = gfx::Pixel(source[0]) << 16 | gfx::Pixel(source[1]) << 8 | source[2];
  }
  stbi_image_free(pixels);
  return picture;
}

}  // namespace platform

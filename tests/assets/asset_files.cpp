// SPDX-License-Identifier: MIT
#include "tests/assets/asset_files.h"

#include <fstream>
#include <iterator>

namespace assets_test {
namespace {

std::uint32_t U32(const std::vector<unsigned char>& b, std::size_t at) {
  return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
         std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t U16(const std::vector<unsigned char>& b, std::size_t at) {
  return std::uint16_t(b[at] | b[at + 1] << 8);
}
bool Tag(const std::vector<unsigned char>& b, std::size_t at, const char* tag) {
  return std::string(b.begin() + static_cast<std::ptrdiff_t>(at),
                     b.begin() + static_cast<std::ptrdiff_t>(at + 4)) == tag;
}

}  // namespace

bool ReadWav(const std::string& path, Wav& wav, std::string& error) {
  std::ifstream f(path, std::ios::binary);
  const std::vector<unsigned char> b((std::istreambuf_iterator<char>(f)), {});
  if (b.size() < 12 || !Tag(b, 0, "RIFF") || !Tag(b, 8, "WAVE")) {
    error = "not RIFF WAVE";
    return false;
  }
  if (U32(b, 4) != b.size() - 8) {
    error = "RIFF size does not match the file";
    return false;
  }
  bool haveFormat = false, haveData = false;
  for (std::size_t at = 12; at + 8 <= b.size();) {
    const std::uint32_t size = U32(b, at + 4);
    if (at + 8 + size > b.size()) {
      error = "chunk runs past the end";
      return false;
    }
    if (Tag(b, at, "fmt ")) {
      if (size < 16 || U16(b, at + 8) != 1) {
        error = "format is not PCM";
        return false;
      }
      wav.channels = U16(b, at + 10);
      wav.rate = int(U32(b, at + 12));
      wav.bits = U16(b, at + 22);
      const bool consistent =
          U16(b, at + 20) == wav.channels * wav.bits / 8 &&
          U32(b, at + 16) == std::uint32_t(wav.rate * wav.channels * wav.bits / 8);
      if (!consistent || wav.bits != 16 || wav.channels < 1 || wav.channels > 2) {
        error = "format is not consistent 16-bit mono or stereo";
        return false;
      }
      haveFormat = true;
    } else if (Tag(b, at, "data") && haveFormat) {
      if (size % (2 * wav.channels) != 0) {
        error = "data is not whole frames";
        return false;
      }
      for (std::size_t i = 0; i < size; i += 2)
        wav.samples.push_back(std::int16_t(U16(b, at + 8 + i)));
      haveData = true;
    }
    at += 8 + size + (size & 1);
  }
  if (!haveData) error = "no format chunk before a data chunk";
  return haveData;
}

std::filesystem::path ScratchDir(const std::string& name) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(ZT_PROGRAM_DIR).parent_path() / "assets_scratch" / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace assets_test

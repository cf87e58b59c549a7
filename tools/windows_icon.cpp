// SPDX-License-Identifier: MIT
#include "tools/windows_icon.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace art {
namespace {

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(char((value >> (8 * i)) & 0xFF));
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

void SaveWindowsIcon(const std::vector<std::filesystem::path>& pngs, const std::vector<int>& sizes,
                     const std::filesystem::path& ico) {
  constexpr std::uint32_t kHeader = 6, kEntry = 16;
  std::string head, images;
  PutLe(head, 0, 2);  // reserved
  PutLe(head, 1, 2);  // an icon, not a cursor
  PutLe(head, std::uint32_t(pngs.size()), 2);
  std::uint32_t offset = kHeader + kEntry * std::uint32_t(pngs.size());
  for (std::size_t i = 0; i < pngs.size(); ++i) {
    if (sizes[i] < 1 || sizes[i] > 256) throw std::runtime_error("no icon entry is that size");
    const std::string png = ReadAll(pngs[i]);
    const std::uint32_t side = sizes[i] == 256 ? 0 : std::uint32_t(sizes[i]);  // 0 means 256
    PutLe(head, side, 1);
    PutLe(head, side, 1);
    PutLe(head, 0, 1);   // no palette
    PutLe(head, 0, 1);   // reserved
    PutLe(head, 1, 2);   // colour planes
    PutLe(head, 32, 2);  // bits per pixel: RGB with alpha
    PutLe(head, std::uint32_t(png.size()), 4);
    PutLe(head, offset, 4);
    offset += std::uint32_t(png.size());
    images += png;
  }
  std::ofstream out(ico, std::ios::binary | std::ios::trunc);
  out << head << images;
  if (!out.flush()) throw std::runtime_error("cannot write " + ico.string());
}

}  // namespace art

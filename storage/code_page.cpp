// SPDX-License-Identifier: MIT
#include "storage/code_page.h"

#include <algorithm>
#include <array>

namespace storage {
namespace {

// Bytes 0x80 to 0x9F; the others are the character of the same number.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The character starting at pos, which is moved past it; 0xFFFD for a broken sequence.
char32_t NextCharacter(std::string_view utf8, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(utf8[pos++]);
  if (lead < 0x80) return lead;
  const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || pos + length - 1 > utf8.size()) return 0xFFFD;
  char32_t c = lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(utf8[pos]);
    if ((next & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (next & 0x3F);
    ++pos;
  }
  return c;
}

char ByteFor(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  const auto* found = std::find(kHighControls.begin(), kHighControls.end(), c);
  return found == kHighControls.end() ? '?'
                                      : static_cast<char>(0x80 + (found - kHighControls.begin()));
}

}  // namespace

std::string FromCodePage(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size());
  for (const char byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    AppendUtf8(utf8, b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : b);
  }
  return utf8;
}

std::string ToCodePage(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) bytes += ByteFor(NextCharacter(utf8, pos));
  return bytes;
}

}  // namespace storage

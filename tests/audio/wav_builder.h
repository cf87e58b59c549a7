// SPDX-License-Identifier: MIT
// Builds RIFF and WAV files byte by byte, in any shape a test needs: odd chunk sizes,
// chunks in unusual order, damaged headers. Shared by the tests and the fuzzer's seeds.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace wavtest {

inline std::string Le16(std::uint16_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
inline std::string Le32(std::uint32_t v) {
  return Le16(v & 0xFFFF) + Le16(v >> 16);
}

// A chunk: id, the declared size (the body's size unless given), the body, and the pad
// byte that keeps the next chunk at an even offset.
inline std::string Chunk(const std::string& id, const std::string& body) {
  std::string bytes = id + Le32(static_cast<std::uint32_t>(body.size())) + body;
  if (body.size() % 2) bytes += '\0';
  return bytes;
}
inline std::string ChunkDeclaring(const std::string& id, std::uint32_t size,
                                  const std::string& body) {
  return id + Le32(size) + body;
}

inline std::string Riff(const std::string& formType, const std::string& chunks) {
  return "RIFF" + Le32(static_cast<std::uint32_t>(4 + chunks.size())) + formType + chunks;
}

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kFloat = 3;
constexpr std::uint16_t kALaw = 6;
constexpr std::uint16_t kMuLaw = 7;
constexpr std::uint16_t kExtensible = 0xFFFE;

// The 16-byte format body.
inline std::string FormatBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                              std::uint16_t bits) {
  const std::uint16_t block = static_cast<std::uint16_t>(channels * bits / 8);
  return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * block) + Le16(block) + Le16(bits);
}
// The 40-byte WAVE_FORMAT_EXTENSIBLE body with a PCM or float sub-format.
inline std::string ExtensibleBody(std::uint16_t subTag, std::uint16_t channels, std::uint32_t rate,
                                  std::uint16_t bits) {
  const std::string tail("\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71", 12);
  return FormatBody(kExtensible, channels, rate, bits) + Le16(22) + Le16(bits) +
         Le32(channels == 2 ? 3 : 4) + Le32(subTag) + tail;
}

inline std::string Wav(const std::string& formatBody, const std::string& data) {
  return Riff("WAVE", Chunk("fmt ", formatBody) + Chunk("data", data));
}

// The G.711 codes of a 16-bit value, as the standard's encoders make them.
inline char MuLawCode(int value) {
  const int sign = value < 0 ? 0x80 : 0;
  int biased = std::min(std::abs(value), 32635) + 0x84, exponent = 7;
  while (exponent > 0 && !(biased & (0x4000 >> (7 - exponent)))) --exponent;
  const int mantissa = (biased >> (exponent + 3)) & 0x0F;
  return static_cast<char>(~(sign | exponent << 4 | mantissa));
}
inline char ALawCode(int value) {
  const int sign = value >= 0 ? 0x80 : 0;
  const int magnitude = std::min(std::abs(value), 32767) >> 3;  // 12 bits
  int segment = 0;
  while (segment < 7 && magnitude >= (32 << segment)) ++segment;
  const int mantissa = segment == 0 ? magnitude >> 1 : (magnitude >> segment) & 0x0F;
  return static_cast<char>((sign | segment << 4 | mantissa) ^ 0x55);
}

// Samples of a given width, little-endian; value in [-1, 1].
inline std::string Sample(double value, std::uint16_t tag, std::uint16_t bits) {
  if (tag == kMuLaw) return std::string(1, MuLawCode(static_cast<int>(std::lround(value * 32767))));
  if (tag == kALaw) return std::string(1, ALawCode(static_cast<int>(std::lround(value * 32767))));
  if (tag == kFloat) {
    const float f = static_cast<float>(value);
    std::uint32_t raw;
    static_assert(sizeof raw == sizeof f);
    __builtin_memcpy(&raw, &f, sizeof raw);
    return Le32(raw);
  }
  if (bits == 8) return std::string(1, static_cast<char>(128 + std::lround(value * 127)));
  const double full = std::ldexp(1.0, bits - 1) - 1;
  const auto v = static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(value * full)));
  if (bits == 16) return Le16(static_cast<std::uint16_t>(v));
  if (bits == 24) return Le32(v).substr(0, 3);
  return Le32(v);
}

// A square wave: period frames at +level then period frames at -level.
inline std::string Square(int frames, int channels, double level, int period, std::uint16_t tag,
                          std::uint16_t bits) {
  std::string out;
  for (int i = 0; i < frames; ++i) {
    const double v = (i / period) % 2 == 0 ? level : -level;
    for (int c = 0; c < channels; ++c) out += Sample(v, tag, bits);
  }
  return out;
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace wavtest

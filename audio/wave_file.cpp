// SPDX-License-Identifier: MIT
#include "audio/wave_file.h"

#include <new>

namespace audio {
namespace {

using platform::mmioStringToFOURCCA;

constexpr std::int32_t kMinFormatSize = 16;
constexpr std::int32_t kFormatReadSize = 20;  // cbSize and the two bytes after it included
constexpr std::uint32_t kExtensibleSize = sizeof(platform::WAVEFORMATEXTENSIBLE);

bool IsExtensible(const WaveFile& wave) {
  return wave.format.Format.wFormatTag == platform::WAVE_FORMAT_EXTENSIBLE &&
         wave.format.Format.cbSize >= kExtensibleSize - sizeof(platform::WAVEFORMATEX) &&
         wave.fmt.cksize >= kExtensibleSize;
}

std::string ReadFormat(WaveFile& wave) {
  if (wave.fmt.cksize < kMinFormatSize) {
    return "Not enough data, only " + std::to_string(wave.fmt.cksize) + ", wanted " + "16";
  }
  auto* record = reinterpret_cast<char*>(&wave.format);
  if (platform::mmioRead(wave.file, record, kFormatReadSize) < kMinFormatSize) {
    return "Not enough data read";
  }
  // The sub-format of an extensible format follows; the device needs it to play.
  constexpr std::int32_t kRest = kExtensibleSize - kFormatReadSize;
  if (IsExtensible(wave) &&
      platform::mmioRead(wave.file, record + kFormatReadSize, kRest) != kRest) {
    return "Not enough data read";
  }
  return {};
}

}  // namespace

std::string FindWaveChunks(WaveFile& wave) {
  const platform::FOURCC waveCode = mmioStringToFOURCCA("WAVE", 0);
  const platform::FOURCC riffCode = mmioStringToFOURCCA("RIFF", 0);
  if (platform::mmioDescend(wave.file, &wave.riff, nullptr, 0) != 0) return "Cannot descend";
  if (wave.riff.ckid != riffCode || wave.riff.fccType != waveCode) return "Incorrect format";
  wave.fmt.ckid = mmioStringToFOURCCA("fmt", 0);
  if (platform::mmioDescend(wave.file, &wave.fmt, &wave.riff, platform::MMIO_FINDCHUNK) != 0) {
    return "Could not find fmt chunk";
  }
  if (std::string failure = ReadFormat(wave); !failure.empty()) return failure;
  const auto firstSubChunk = static_cast<std::int32_t>(wave.riff.dwDataOffset + 4);
  if (platform::mmioSeek(wave.file, firstSubChunk, platform::MMIO_SEEK_SET) == -1) {
    return "Could not seek";
  }
  wave.data = {};
  wave.data.ckid = mmioStringToFOURCCA("data", 0);
  if (platform::mmioDescend(wave.file, &wave.data, &wave.riff, platform::MMIO_FINDCHUNK) != 0) {
    return "Could not descend into data";
  }
  return {};
}

std::string ReadWaveSamples(WaveFile& wave, std::vector<char>& samples) {
  samples.clear();
  const std::uint32_t size = wave.data.cksize;
  if (size == 0) return "No sound data";
  // Compare the declared size with what the file really holds before allocating it.
  const std::int32_t fileEnd = platform::mmioSeek(wave.file, 0, platform::MMIO_SEEK_END);
  const auto start = static_cast<std::int32_t>(wave.data.dwDataOffset);
  if (fileEnd == -1 || platform::mmioSeek(wave.file, start, platform::MMIO_SEEK_SET) == -1 ||
      size > static_cast<std::uint32_t>(fileEnd - start)) {
    return "Could not read full buffer";
  }
  try {
    samples.resize(size);
  } catch (const std::bad_alloc&) {
    return "Not enough memory for the sound";
  }
  const std::int32_t count = static_cast<std::int32_t>(size);
  if (platform::mmioRead(wave.file, samples.data(), count) != count) {
    samples.clear();
    return "Could not read full buffer";
  }
  return {};
}

}  // namespace audio

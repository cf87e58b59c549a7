// SPDX-License-Identifier: MIT
// The RIFF walk of LoadSound: finding the fmt and data chunks of a WAV file and reading
// its samples. Each step returns the text of the message its failure shows, or an empty
// string on success; the caller shows the message and closes the file.
#pragma once

#include <string>
#include <vector>

#include "platform/winmm/mmio.h"
#include "platform/winmm/wave_out.h"

namespace audio {

struct WaveFile {
  platform::HMMIO file = nullptr;
  platform::MMCKINFO riff{};  // the outer RIFF chunk
  platform::MMCKINFO fmt{};   // the "fmt " chunk
  platform::MMCKINFO data{};  // the "data" chunk
  // Filled straight from the file: the 16-byte format, then cbSize and the two bytes
  // after it; the rest only for WAVE_FORMAT_EXTENSIBLE.
  platform::WAVEFORMATEXTENSIBLE format{};
};

// Enters the RIFF WAVE chunk, reads the format and finds the data chunk (from the
// first sub-chunk on, so data may stand before fmt).
std::string FindWaveChunks(WaveFile& wave);

// Reads the whole data chunk into samples. A chunk that is empty, or declares more bytes
// than the file holds, fails before anything is allocated.
std::string ReadWaveSamples(WaveFile& wave, std::vector<char>& samples);

}  // namespace audio

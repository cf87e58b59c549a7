// SPDX-License-Identifier: MIT
// Helpers of the asset tests: a strict WAV reader, independent of the generator's writer,
// and scratch folders for running the generators again.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace assets_test {

struct Wav {
  int channels = 0, rate = 0, bits = 0;
  std::vector<std::int16_t> samples;  // interleaved
  double seconds() const { return double(samples.size()) / channels / rate; }
};

// Fails (with a message in `error`) unless the file is RIFF WAVE with a 16-bit PCM format
// chunk, a data chunk and chunk sizes that agree with the file's size.
bool ReadWav(const std::string& path, Wav& wav, std::string& error);

// An empty folder in the build tree, so that two builds' test runs never share one.
std::filesystem::path ScratchDir(const std::string& name);
std::string FileBytes(const std::filesystem::path& path);

}  // namespace assets_test

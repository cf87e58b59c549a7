// SPDX-License-Identifier: MIT
// Writes the fuzzer's seed corpus: small WAV files of every shape the loader knows.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/audio/wav_builder.h"

int main(int argc, char** argv) {
  using namespace wavtest;
  if (argc != 2) return 2;
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  const std::string pcm16 = FormatBody(kPcm, 1, 44100, 16);
  const std::string data = Square(64, 1, 0.5, 8, kPcm, 16);
  const std::vector<std::pair<const char*, std::string>> seeds = {
      {"pcm8", Wav(FormatBody(kPcm, 2, 8000, 8), Square(64, 2, 0.5, 8, kPcm, 8))},
      {"pcm16", Wav(pcm16, data)},
      {"pcm24", Wav(FormatBody(kPcm, 1, 48000, 24), Square(64, 1, 0.5, 8, kPcm, 24))},
      {"pcm32", Wav(FormatBody(kPcm, 2, 96000, 32), Square(64, 2, 0.5, 8, kPcm, 32))},
      {"float", Wav(FormatBody(kFloat, 1, 22050, 32), Square(64, 1, 0.5, 8, kFloat, 32))},
      {"extensible", Wav(ExtensibleBody(kPcm, 2, 192000, 24), Square(64, 2, 0.5, 8, kPcm, 24))},
      {"data_first", Riff("WAVE", Chunk("data", data) + Chunk("fmt ", pcm16))},
      {"list_odd", Riff("WAVE", Chunk("LIST", "INFOISFT" + Le32(3) + "abc") + Chunk("odd ", "x") +
                                    Chunk("fmt ", pcm16) + Chunk("data", data))},
      {"fmt14", Riff("WAVE", Chunk("fmt ", pcm16.substr(0, 14)) + Chunk("data", data))},
      {"cut", Wav(pcm16, data).substr(0, 60)},
      {"avi", Riff("AVI ", Chunk("LIST", "hdrl"))},
  };
  for (const auto& [name, bytes] : seeds) WriteFile(folder / (std::string(name) + ".wav"), bytes);
  return 0;
}

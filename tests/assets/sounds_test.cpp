// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/assets/asset_files.h"

namespace assets_test {
namespace {

namespace fs = std::filesystem;

const std::string kSoundDir = std::string(ZT_PROGRAM_DIR) + "/Sound/";

struct Levels {
  double peakDbfs, dc, first, last, seam, largestStep;
  bool clipped;
};

Levels Measure(const Wav& w) {
  Levels l{-200, 0, 0, 0, 0, 0, false};
  double peak = 0, sum = 0;
  for (std::size_t i = 0; i < w.samples.size(); ++i) {
    const double v = w.samples[i] / 32768.0;
    peak = std::max(peak, std::fabs(v));
    sum += v;
    l.clipped |= w.samples[i] == 32767 || w.samples[i] == -32768;
    if (i >= std::size_t(w.channels))
      l.largestStep = std::max(l.largestStep, std::fabs(v - w.samples[i - w.channels] / 32768.0));
  }
  l.peakDbfs = 20 * std::log10(peak);
  l.dc = sum / double(w.samples.size());
  l.first = std::fabs(w.samples.front() / 32768.0);
  l.last = std::fabs(w.samples.back() / 32768.0);
  l.seam = std::fabs(w.samples.back() - w.samples.front()) / 32768.0;
  return l;
}

Wav Load(const std::string& name) {
  Wav w;
  std::string error;
  EXPECT_TRUE(ReadWav(kSoundDir + name, w, error)) << name << ": " << error;
  return w;
}

struct Effect {
  const char* file;
  double maxSeconds;
};

TEST(Sounds, EffectsAreShortUnclippedFadedAndAboutMinusThreeDbfs) {
  for (const Effect& e : {Effect{"shew.wav", 0.35}, Effect{"glass.wav", 1.0}, Effect{"ao.wav", 0.5},
                          Effect{"levelup.wav", 1.5}}) {
    SCOPED_TRACE(e.file);
    const Wav w = Load(e.file);
    ASSERT_FALSE(w.samples.empty());
    EXPECT_TRUE(w.rate == 44100 || w.rate == 22050);
    EXPECT_GT(w.seconds(), 0.05);
    EXPECT_LE(w.seconds(), e.maxSeconds);
    const Levels l = Measure(w);
    EXPECT_FALSE(l.clipped);
    EXPECT_NEAR(l.peakDbfs, -3, 1.0);
    EXPECT_LT(std::fabs(l.dc), 0.002);
    // Fades: silence at both ends, so starting or cutting a sound never clicks.
    EXPECT_LT(l.first, 0.002);
    EXPECT_LT(l.last, 0.002);
  }
}

TEST(Sounds, MusicIsLongQuieterThanTheEffectsAndLoopsWithoutAJump) {
  const Wav w = Load("formal.wav");
  ASSERT_FALSE(w.samples.empty());
  EXPECT_GE(w.seconds(), 20);
  EXPECT_LE(w.seconds(), 60);
  const Levels l = Measure(w);
  EXPECT_FALSE(l.clipped);
  EXPECT_LT(l.peakDbfs, -6);
  EXPECT_GT(l.peakDbfs, -20);
  EXPECT_LT(std::fabs(l.dc), 0.002);
  // The end runs into the start as smoothly as the samples on either side of the seam
  // move: a cut-off note or a level jump would stand out against them.
  const std::size_t n = w.samples.size();
  const double before = std::fabs(w.samples[n - 1] - w.samples[n - 2]) / 32768.0;
  const double after = std::fabs(w.samples[1] - w.samples[0]) / 32768.0;
  EXPECT_LE(l.seam, 1.5 * std::max(before, after) + 2 / 32768.0);
  EXPECT_LE(l.seam, l.largestStep);
  EXPECT_LT(l.seam, 0.01);
}

TEST(Sounds, ReaderRefusesFilesThatAreNotPcmWave) {
  const fs::path dir = ScratchDir("wav_reader");
  const std::string bytes = FileBytes(kSoundDir + "ao.wav");
  auto attempt = [&](const std::string& content) {
    std::ofstream(dir / "x.wav", std::ios::binary) << content;
    Wav w;
    std::string error;
    return ReadWav((dir / "x.wav").string(), w, error);
  };
  EXPECT_TRUE(attempt(bytes));
  EXPECT_FALSE(attempt(bytes.substr(0, bytes.size() - 10)));  // cut short
  std::string avi = bytes;
  avi.replace(8, 4, "AVI ");
  EXPECT_FALSE(attempt(avi));
  std::string floats = bytes;
  floats[20] = 3;  // IEEE float format tag
  EXPECT_FALSE(attempt(floats));
  fs::remove_all(dir);
}

TEST(Sounds, GeneratorMakesTheSameBytesEveryRun) {
  const fs::path dir = ScratchDir("sounds_again");
  const std::string command = std::string(ZT_MAKE_SOUNDS) + " " + dir.string() + " > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (const char* name : {"formal.wav", "shew.wav", "glass.wav", "ao.wav", "levelup.wav"})
    EXPECT_TRUE(FileBytes(dir / name) == FileBytes(kSoundDir + name)) << name;
  fs::remove_all(dir);
}

}  // namespace
}  // namespace assets_test

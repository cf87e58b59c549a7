// SPDX-License-Identifier: MIT
// LoadSound: slot bounds, one exact message per failure, files in many shapes.
#include <dirent.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tests/audio/sound_fixture.h"
#ifdef _WIN32
#include "tests/windows/under_wine.h"
#endif

namespace audiotest {
namespace {

using namespace audio;
using namespace wavtest;

const std::string kFormat16 = FormatBody(kPcm, 1, 44100, 16);
const std::string kSamples = Square(100, 1, 0.5, 10, kPcm, 16);

// Open file descriptors of the process: a failed load must close its file. On Windows
// the file is the desktop's (closed by its own mmioClose) and there is nothing to count.
int OpenDescriptors() {
  int count = 0;
#ifndef _WIN32
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (readdir(dir)) ++count;
    closedir(dir);
  }
#endif
  return count;
}

TEST_F(SoundTest, SlotsOutsideOneToThirtyTwoAreNeverTouched) {
  const std::string file = Good();
  EXPECT_EQ(Load(0, file), kSoundFalse);
  EXPECT_EQ(Load(33, file), kSoundFalse);
  EXPECT_EQ(Load(-1, file), kSoundFalse);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(DeviceCalls().empty());
  EXPECT_EQ(NotifyWindow(), 0u);  // not even the notification window
  EXPECT_EQ(StartSound(0), kSoundFalse);
  EXPECT_EQ(StartSound(33), kSoundFalse);
  EXPECT_EQ(GetSoundState(0), -1);
  EXPECT_EQ(GetSoundState(33), -1);
  EXPECT_EQ(GetSoundState(32), SlotEmpty);

  ASSERT_EQ(Load(32, file), kSoundTrue);
  ASSERT_EQ(StartSound(32), kSoundTrue);
  platform::wave_test::ClearCalls();
  for (std::int32_t wrong : {0, 33, -2, 1000}) {
    StopSound(wrong);
    UnloadSound(wrong);
  }
  EXPECT_TRUE(DeviceCalls().empty());
  EXPECT_EQ(GetSoundState(32), SlotPlaying);
}

struct BadFile {
  const char* name;
  std::string bytes;
  const char* message;
  friend void PrintTo(const BadFile& file, std::ostream* out) { *out << file.name; }
};

class LoadFailure : public SoundTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(LoadFailure, ShowsExactlyOneMessageAndLeavesTheSlotEmpty) {
#ifdef _WIN32
  if (std::string(GetParam().name) == "FmtOutsideRiff" && wintest::UnderWine())
    GTEST_SKIP() << "Wine's mmioDescend finds a chunk past the end of its parent";
#endif
  Recorder listener;
  SoundNotifier = &listener;
  ASSERT_EQ(Load(3, Good()), kSoundTrue);  // the slot held a sound before
  const std::string file = Write("bad.wav", GetParam().bytes);
  platform::MsgBox("", platform::kAppTitle);  // opens the boxes' font, kept for the whole run
  platform::headless::ClearMessageBoxes();
  const int descriptors = OpenDescriptors();

  EXPECT_EQ(Load(3, file), kSoundFalse);

  EXPECT_EQ(Boxes(), std::vector<std::string>{GetParam().message});
  EXPECT_EQ(GetSoundState(3), SlotEmpty);
  EXPECT_EQ(StartSound(3), kSoundFalse);
  EXPECT_EQ(listener.calls, (std::vector<std::string>{"loaded 3", "unloaded 3"}));
  EXPECT_EQ(platform::wave_test::OpenDevices(), 0);
  EXPECT_EQ(OpenDescriptors(), descriptors);  // the file was closed
}

std::string Riffed(const std::string& chunks) {
  return Riff("WAVE", chunks);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCheck, LoadFailure,
    ::testing::Values(
        BadFile{"Empty", "", "Cannot descend"},
        BadFile{"ShortHeader", "RIFF\x10", "Cannot descend"},
        BadFile{"AviFile", Riff("AVI ", Chunk("LIST", "hdrl")), "Incorrect format"},
        BadFile{"ListFirst", "LIST" + Le32(4) + "WAVE", "Incorrect format"},
        BadFile{"RiffOfAnotherId", "RIFX" + Le32(4) + "WAVE", "Incorrect format"},
        BadFile{"NoFmt", Riffed(Chunk("data", kSamples)), "Could not find fmt chunk"},
        BadFile{"FmtOutsideRiff", Riffed(Chunk("data", kSamples)) + Chunk("fmt ", kFormat16),
                "Could not find fmt chunk"},
        BadFile{"Fmt14", Riffed(Chunk("fmt ", kFormat16.substr(0, 14)) + Chunk("data", kSamples)),
                "Not enough data, only 14, wanted 16"},
        BadFile{"Fmt0", Riffed(Chunk("fmt ", "") + Chunk("data", kSamples)),
                "Not enough data, only 0, wanted 16"},
        BadFile{"FmtCutShort", "RIFF" + Le32(30) + "WAVE" + "fmt " + Le32(16) + "0123456789",
                "Not enough data read"},
        BadFile{"NoData", Riffed(Chunk("fmt ", kFormat16) + Chunk("LIST", "INFO")),
                "Could not descend into data"},
        BadFile{
            "DataCutShort",
            Riffed(Chunk("fmt ", kFormat16) + ChunkDeclaring("data", 200, kSamples.substr(0, 50))),
            "Could not read full buffer"},
        BadFile{"DataClaimsFourGigabytes",
                Riffed(Chunk("fmt ", kFormat16) + ChunkDeclaring("data", 0xFFFFFFF0u, kSamples)),
                "Could not read full buffer"},
        BadFile{"EmptyData", Riffed(Chunk("fmt ", kFormat16) + Chunk("data", "")),
                "No sound data"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SoundTest, MissingFileGivesOneMessageAndEmptiesTheSlot) {
  ASSERT_EQ(Load(1, Good()), kSoundTrue);
  EXPECT_EQ(Load(1, (folder_ / "missing.wav").string()), kSoundFalse);
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Cannot open file"});
  EXPECT_EQ(GetSoundState(1), SlotEmpty);
  EXPECT_EQ(Load(2, folder_.string()), kSoundFalse);  // a folder is no sound file
  EXPECT_EQ(Boxes().size(), 2u);
}

TEST_F(SoundTest, UnplayableFormatLoadsButNeverPlaysAndSaysSoOnce) {
  // ADPCM, 999 Hz, 12 bits, 64-bit float, an extensible format without its sub-format: the
  // device refuses them; the loader does not look, and one line names the file and tag.
  for (const std::string& format :
       {FormatBody(2, 1, 44100, 4), FormatBody(kPcm, 1, 999, 16), FormatBody(kPcm, 1, 44100, 12),
        FormatBody(kFloat, 1, 44100, 64), FormatBody(kExtensible, 1, 44100, 16) + Le16(0)}) {
    ::testing::internal::CaptureStderr();
    ASSERT_EQ(Load(4, Write("odd.wav", Wav(format, kSamples))), kSoundTrue);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(GetSoundState(4), SlotReady);
    EXPECT_EQ(DeviceOf(4), 0u);
    EXPECT_EQ(StartSound(4), kSoundFalse);
    EXPECT_EQ(GetSoundState(4), SlotReady);
    char tag[8];
    std::snprintf(tag, sizeof tag, "0x%02X%02X", std::uint8_t(format[1]), std::uint8_t(format[0]));
    EXPECT_NE(said.find((folder_ / "odd.wav").string()), std::string::npos) << said;
    EXPECT_NE(said.find(tag), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(SoundTest, WithoutSoundHardwareEverythingLoadsAndStaysSilent) {
  platform::wave_test::SetOpenFails(true);
  Recorder listener;
  SoundNotifier = &listener;
  ASSERT_EQ(Load(1, Good()), kSoundTrue);
  EXPECT_EQ(GetSoundState(1), SlotReady);
  EXPECT_EQ(StartSound(1), kSoundFalse);
  StopSound(-1);
  UnloadSound(-1);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(listener.calls, (std::vector<std::string>{"loaded 1", "unloaded 1"}));
}

// A file shape that loads, and the level its first samples must come out at.
struct GoodShape {
  const char* name;
  std::string bytes;
  double level;
  friend void PrintTo(const GoodShape& shape, std::ostream* out) { *out << shape.name; }
};

class LoadShape : public SoundTest, public ::testing::WithParamInterface<GoodShape> {};

TEST_P(LoadShape, LoadsAndPlaysAtItsLevel) {
  Recorder listener;
  SoundNotifier = &listener;
  ASSERT_EQ(Load(6, Write("shape.wav", GetParam().bytes)), kSoundTrue);
  EXPECT_EQ(listener.calls, std::vector<std::string>{"loaded 6"});
  EXPECT_TRUE(Boxes().empty());
  ASSERT_NE(DeviceOf(6), 0u);
  ASSERT_EQ(StartSound(6), kSoundTrue);

  std::vector<float> out(2 * 256);
  platform::wave_test::Mix(out.data(), 256);
  const double tolerance = 0.02;
  // Frames 10 to 30 lie inside the first half period (+level), on both output channels.
  for (int frame = 10; frame < 30; ++frame) {
    EXPECT_NEAR(out[2 * frame], GetParam().level, tolerance) << frame;
    EXPECT_NEAR(out[2 * frame + 1], GetParam().level, tolerance) << frame;
  }
}

std::string Shape(std::uint16_t tag, int channels, std::uint16_t bits) {
  return Wav(FormatBody(tag, static_cast<std::uint16_t>(channels), 44100, bits),
             Square(4410, channels, 0.5, 50, tag, bits));
}

std::string ExtensibleShape(std::uint16_t subTag, int channels, std::uint16_t bits) {
  return Wav(ExtensibleBody(subTag, static_cast<std::uint16_t>(channels), 44100, bits),
             Square(4410, channels, 0.5, 50, subTag, bits));
}

const std::string kData = Square(4410, 1, 0.5, 50, kPcm, 16);

INSTANTIATE_TEST_SUITE_P(
    ManyShapes, LoadShape,
    ::testing::Values(
        GoodShape{"Pcm8", Shape(kPcm, 1, 8), 0.5}, GoodShape{"Pcm16", Shape(kPcm, 1, 16), 0.5},
        GoodShape{"Pcm24", Shape(kPcm, 1, 24), 0.5}, GoodShape{"Pcm32", Shape(kPcm, 1, 32), 0.5},
        GoodShape{"Float", Shape(kFloat, 1, 32), 0.5},
        GoodShape{"Stereo16", Shape(kPcm, 2, 16), 0.5},
        GoodShape{"StereoFloat", Shape(kFloat, 2, 32), 0.5},
        GoodShape{"ALaw", Shape(kALaw, 1, 8), 0.5}, GoodShape{"MuLaw", Shape(kMuLaw, 1, 8), 0.5},
        GoodShape{"FourChannels", Shape(kPcm, 4, 16), 0.5},
        GoodShape{"Surround51", ExtensibleShape(kPcm, 6, 16), 0.5},
        GoodShape{
            "FloatWithCbSize",
            Wav(FormatBody(kFloat, 1, 44100, 32) + Le16(0), Square(4410, 1, 0.5, 50, kFloat, 32)),
            0.5},
        GoodShape{"Extensible24", ExtensibleShape(kPcm, 2, 24), 0.5},
        GoodShape{"ExtensibleFloat", ExtensibleShape(kFloat, 1, 32), 0.5},
        GoodShape{"DataBeforeFmt", Riff("WAVE", Chunk("data", kData) + Chunk("fmt ", kFormat16)),
                  0.5},
        GoodShape{"ListAndOddChunksBeforeFmt",
                  Riff("WAVE", Chunk("LIST", "INFOISFT" + Le32(5) + "abcde") + Chunk("odd ", "x") +
                                   Chunk("fmt ", kFormat16) + Chunk("fact", Le32(4410)) +
                                   Chunk("data", kData)),
                  0.5},
        GoodShape{"OddSizedFmtWithPad",
                  Riff("WAVE", Chunk("fmt ", kFormat16 + Le16(0) + "z") + Chunk("data", kData)),
                  0.5},
        GoodShape{"TrailingJunkAfterRiff", Shape(kPcm, 1, 16) + "junk", 0.5},
        GoodShape{"OddDataLength",
                  Riff("WAVE", Chunk("fmt ", FormatBody(kPcm, 1, 44100, 8)) +
                                   Chunk("data", Square(4411, 1, 0.5, 50, kPcm, 8))),
                  0.5}),
    [](const auto& info) { return std::string(info.param.name); });

// 5.1 folded into two: a back-left channel is heard on the left alone, the low-frequency
// channel not at all.
TEST_F(SoundTest, MoreChannelsAreFoldedIntoTwoByTheirSpeakersPlaces) {
  std::string data;
  for (int frame = 0; frame < 441; ++frame) {
    for (double level : {0.0, 0.0, 0.0, 0.9, 0.5, 0.0}) data += Sample(level, kPcm, 16);
  }
  ASSERT_EQ(Load(7, Write("surround.wav", Wav(FormatBody(kPcm, 6, 44100, 16), data))), kSoundTrue);
  ASSERT_EQ(StartSound(7), kSoundTrue);
  std::vector<float> out(2 * 128);
  platform::wave_test::Mix(out.data(), 128);
  // At 0.707 of the front's level, the left side (front, centre, back) scaled not to clip.
  EXPECT_NEAR(out[2 * 64], 0.5 * std::sqrt(0.5) / (1 + 2 * std::sqrt(0.5)), 1e-3);
  EXPECT_EQ(out[2 * 64 + 1], 0.0f);
}

TEST_F(SoundTest, OtherRatesAreConvertedToTheOutputRate) {
  for (std::uint32_t rate : {8000u, 22050u, 48000u, 192000u}) {
    const int period = static_cast<int>(rate / 882);  // about 50 output frames a half
    ASSERT_EQ(Load(7, Write("rate.wav",
                            Wav(FormatBody(kPcm, 1, rate, 16),
                                Square(static_cast<int>(rate) / 10, 1, 0.5, period, kPcm, 16)))),
              kSoundTrue);
    ASSERT_EQ(StartSound(7), kSoundTrue) << rate;
    std::vector<float> out(2 * 512);
    platform::wave_test::Mix(out.data(), 512);
    EXPECT_NEAR(out[2 * 25], 0.5, 0.05) << rate;  // middle of the first positive half
    EXPECT_NEAR(out[2 * 75], -0.5, 0.05) << rate;
  }
  // The extremes, at a steady level: the filter's start lies well before frame 1500.
  for (std::uint32_t rate : {1000u, 384000u}) {
    ASSERT_EQ(Load(7, Write("rate.wav",
                            Wav(FormatBody(kPcm, 1, rate, 16),
                                Square(static_cast<int>(rate), 1, 0.5, int(rate), kPcm, 16)))),
              kSoundTrue);
    ASSERT_EQ(StartSound(7), kSoundTrue) << rate;
    std::vector<float> out(2 * 2048);
    platform::wave_test::Mix(out.data(), 2048);
    EXPECT_NEAR(out[2 * 1500], 0.5, 0.01) << rate;
  }
}

// Going down in rate, a tone above the new Nyquist frequency is filtered out, not folded
// back into the band (96 kHz to 44.1 kHz would fold 30 kHz to 14.1 kHz).
TEST_F(SoundTest, ATooHighToneIsFilteredOutWhenTheRateGoesDown) {
  std::string data;
  for (int i = 0; i < 9600; ++i)
    data += Sample(0.5 * std::sin(2 * 3.14159265 * 30000 * i / 96000), kPcm, 16);
  ASSERT_EQ(Load(7, Write("high.wav", Wav(FormatBody(kPcm, 1, 96000, 16), data))), kSoundTrue);
  ASSERT_EQ(StartSound(7), kSoundTrue);
  std::vector<float> out(2 * 2048);
  platform::wave_test::Mix(out.data(), 2048);
  double energy = 0;
  for (int i = 500; i < 2000; ++i) energy += double(out[2 * i]) * out[2 * i];
  EXPECT_LT(std::sqrt(energy / 1500), 0.35 / 1000) << "60 dB below the tone";
}

// The end of a converted sound is silence of its own format: an 8-bit one must not end
// on a full-scale click (byte 0 is its most negative value).
TEST_F(SoundTest, AConvertedSoundIsNoLouderThanItsSource) {
  for (std::uint16_t bits : {8, 16}) {
    for (std::uint32_t rate : {8000u, 22050u, 48000u}) {
      std::string data;
      for (std::uint32_t i = 0; i < rate / 10; ++i) {
        data += Sample(0.5 * std::sin(2 * 3.14159265 * 440 * i / rate), kPcm, bits);
      }
      ASSERT_EQ(Load(7, Write("sine.wav", Wav(FormatBody(kPcm, 1, rate, bits), data))), kSoundTrue);
      ASSERT_EQ(StartSound(7), kSoundTrue);
      std::vector<float> out(2 * 512);
      float peak = 0;
      for (int pull = 0; pull < 12; ++pull) {  // 0.14 s: to its end and beyond
        platform::wave_test::Mix(out.data(), 512);
        for (float sample : out) peak = std::max(peak, std::abs(sample));
      }
      EXPECT_NEAR(peak, 0.5, 0.01) << bits << " bits at " << rate << " Hz";
      StopSound(7);
      Pump();
    }
  }
}

}  // namespace
}  // namespace audiotest

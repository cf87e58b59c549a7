// SPDX-License-Identifier: MIT
// Real sounds: WAV files from a Debian package through the loader, and the real mixer
// on SDL's disk audio driver, which writes what the sound card would have played.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <thread>

#include "platform/sdl/wave_out_device.h"
#include "platform/winmm/wave_out.h"
#include "tests/audio/sound_fixture.h"

namespace audiotest {
namespace {

using namespace audio;
using namespace std::chrono_literals;

TEST_F(SoundTest, PackagedWavFilesLoadAndPlay) {
  const std::filesystem::path folder = "/usr/share/sounds/alsa";
  std::vector<std::filesystem::path> files;
  if (std::filesystem::is_directory(folder)) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.path().extension() == ".wav") files.push_back(entry.path());
    }
  }
  if (files.empty()) GTEST_SKIP() << "alsa-utils' sample sounds are not installed";
  for (const auto& file : files) {
    ASSERT_EQ(Load(1, file.string()), kSoundTrue) << file;
    ASSERT_NE(DeviceOf(1), 0u) << file;
    EXPECT_GT(SoundSlots[0].Samples.size(), 1000u);
    ASSERT_EQ(StartSound(1), kSoundTrue);
    std::vector<float> out(2 * 4410);
    float loudest = 0;
    for (int pull = 0; pull < 10; ++pull) {
      platform::wave_test::Mix(out.data(), 4410);
      for (float sample : out) loudest = std::max(loudest, std::abs(sample));
    }
    EXPECT_GT(loudest, 0.01f) << file;
  }
  EXPECT_TRUE(Boxes().empty());
}

// Devices opened from now on play on SDL's audio device, as the desktop's do, while the
// windows stay headless.
void PlayOnSdlAudio() {
  platform::detail::UseAudioDevice(&platform::wave_out_sdl::AudioDevice());
}

// Runs the message loop until the slot reaches the state (the audio thread plays meanwhile).
bool WaitFor(std::int32_t slot, std::int32_t state) {
  for (int waited = 0; waited < 5000; waited += 2) {
    platform::DoEvents();
    if (GetSoundState(slot) == state) return true;
    std::this_thread::sleep_for(2ms);
  }
  return false;
}

void PumpFor(std::chrono::milliseconds time) {
  const auto end = std::chrono::steady_clock::now() + time;
  while (std::chrono::steady_clock::now() < end) {
    platform::DoEvents();
    std::this_thread::sleep_for(2ms);
  }
}

class DiskMixerTest : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    output_ = folder_ / "mixed.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
    PlayOnSdlAudio();
  }
  void TearDown() override {
    SoundTest::TearDown();  // closes the last voice, and with it the audio device
    platform::detail::UseAudioDevice(nullptr);  // test devices again
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
  }
  // A constant level: easy to find in the mix.
  std::string Level(const char* name, double level, int frames) {
    using namespace wavtest;
    return Write(name,
                 Wav(FormatBody(kPcm, 1, 44100, 16), Square(frames, 1, level, frames, kPcm, 16)));
  }
  // Lets what the device took with its last done message play out, closes every voice
  // (and so the device and its file) and reads the left channel back.
  std::vector<float> Played() {
    PumpFor(100ms);
    UnloadSound(-1);
    std::ifstream in(output_, std::ios::binary);
    std::vector<float> stereo;
    float frame[2];
    while (in.read(reinterpret_cast<char*>(frame), sizeof frame)) stereo.push_back(frame[0]);
    return stereo;
  }
  std::filesystem::path output_;
};

std::size_t Count(const std::vector<float>& samples, float value) {
  return static_cast<std::size_t>(std::count_if(
      samples.begin(), samples.end(), [value](float s) { return std::abs(s - value) < 1e-4f; }));
}

TEST_F(DiskMixerTest, AKnownSoundComesOutSampleForSample) {
  using namespace wavtest;
  const int frames = 8820;  // 0.2 s
  ASSERT_EQ(Load(1, Write("square.wav", Wav(FormatBody(kPcm, 1, 44100, 16),
                                            Square(frames, 1, 0.5, 50, kPcm, 16)))),
            kSoundTrue);
  ASSERT_NE(DeviceOf(1), 0u) << "the disk audio driver could not be opened";
  ASSERT_EQ(StartSound(1), kSoundTrue);
  ASSERT_TRUE(WaitFor(1, SlotReady));
  const std::vector<float> played = Played();
  const auto first = std::find_if(played.begin(), played.end(), [](float s) { return s != 0; });
  ASSERT_NE(first, played.end());
  const auto start = static_cast<std::size_t>(first - played.begin());
  ASSERT_GE(played.size(), start + frames);
  for (int i = 0; i < frames; ++i) {
    ASSERT_FLOAT_EQ(played[start + i], (i / 50) % 2 == 0 ? 0.5f : -0.5f) << i;
  }
  EXPECT_EQ(Count(played, 0.5f) + Count(played, -0.5f), static_cast<std::size_t>(frames));
}

TEST_F(DiskMixerTest, AResetCutsTheSoundOff) {
  ASSERT_EQ(Load(1, Level("long.wav", 0.5, 88200)), kSoundTrue);  // 2 s
  ASSERT_EQ(StartSound(1), kSoundTrue);
  PumpFor(150ms);
  StopSound(1);
  ASSERT_TRUE(WaitFor(1, SlotReady));
  PumpFor(100ms);
  const std::vector<float> played = Played();
  const std::size_t heard = Count(played, 0.5f);
  EXPECT_GT(heard, 0u);
  EXPECT_LT(heard, 44100u);  // well under the 2 s of the sound
  const auto last = std::find_if(played.rbegin(), played.rend(), [](float s) { return s != 0; });
  EXPECT_GT(last - played.rbegin(), 2000) << "silence follows the cut";
}

TEST_F(DiskMixerTest, TwoSlotsMix) {
  ASSERT_EQ(Load(1, Level("quarter.wav", 0.25, 13230)), kSoundTrue);  // 0.3 s
  ASSERT_EQ(Load(2, Level("half.wav", 0.5, 4410)), kSoundTrue);       // 0.1 s
  ASSERT_EQ(StartSound(1), kSoundTrue);
  ASSERT_EQ(StartSound(2), kSoundTrue);
  ASSERT_TRUE(WaitFor(1, SlotReady));
  ASSERT_TRUE(WaitFor(2, SlotReady));
  const std::vector<float> played = Played();
  const std::size_t both = Count(played, 0.75f);
  EXPECT_GT(both, 4410u - 600u);  // both at once, give or take one buffer
  EXPECT_LE(both, 4410u);
  EXPECT_EQ(both + Count(played, 0.5f), 4410u);
  EXPECT_EQ(both + Count(played, 0.25f), 13230u);
}

// A driver that never answers (here the disk driver's file is a pipe nobody reads) must
// not keep the program from ending: closing the last sound gives up on the opener soon.
TEST_F(DiskMixerTest, ClosingDoesNotWaitForAnOpenerThatNeverReturns) {
  ASSERT_EQ(::mkfifo(output_.c_str(), 0644), 0);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // In a process of its own, which ends with the opener still blocked.
  EXPECT_EXIT(
      {
        ::alarm(5);  // a hang ends as a failure
        Load(1, Good());
        const auto start = std::chrono::steady_clock::now();
        UnloadSound(-1);
        std::exit(std::chrono::steady_clock::now() - start < 1s ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(SoundTest, WithoutAnyAudioDeviceTheGameRunsSilent) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  PlayOnSdlAudio();
  // The first load starts opening the device and does not wait for it.
  ASSERT_EQ(Load(1, Good()), kSoundTrue);
  ASSERT_NE(DeviceOf(1), 0u);
  // Queued while the device is being opened, or refused once it has failed: either way
  // the slot is free again, not left playing for ever.
  StartSound(1);
  ASSERT_TRUE(WaitFor(1, SlotReady));
  EXPECT_EQ(StartSound(1), kSoundFalse);
  EXPECT_EQ(GetSoundState(1), SlotReady);
  // Once the failure is known, later loads get no device.
  ASSERT_EQ(Load(2, Good()), kSoundTrue);
  EXPECT_EQ(DeviceOf(2), 0u);
  EXPECT_EQ(StartSound(2), kSoundFalse);
  EXPECT_TRUE(Boxes().empty());
  UnloadSound(-1);
  platform::detail::UseAudioDevice(nullptr);
  unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
}  // namespace audiotest

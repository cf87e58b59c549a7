// SPDX-License-Identifier: MIT
// A fresh sound engine on the headless platform and the test wave-output backend, a
// folder for WAV files, and a listener that records what it hears.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "audio/sound_manager.h"
#include "audio/sound_slots.h"
#include "game/game_state.h"
#include "platform/headless/headless.h"
#include "platform/loop/system.h"
#include "platform/winmm/wave_out_test.h"
#include "tests/audio/wav_builder.h"
#include "tests/support/headless_test.h"
#include "tests/support/temp_folder.h"

namespace audiotest {

// Records every listener call as "loaded 3", "start 3", "end 3 (state 2)", "unloaded 3".
class Recorder : public audio::SoundManagerNotifier {
 public:
  void SoundLoaded(std::int32_t slot) override { Add("loaded", slot); }
  void SoundPlayStart(std::int32_t slot) override { Add("start", slot); }
  void SoundPlayEnd(std::int32_t slot) override {
    Add("end", slot);
    if (onEnd) onEnd(slot);
  }
  void SoundUnloaded(std::int32_t slot) override { Add("unloaded", slot); }
  std::vector<std::string> calls;
  std::function<void(std::int32_t)> onEnd;

 private:
  void Add(const char* what, std::int32_t slot) {
    calls.push_back(std::string(what) + " " + std::to_string(slot));
  }
};

class SoundTest : public zt_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    game::ResetSharedState();
    platform::wave_test::Reset();
    audio::SoundNotifier = nullptr;
  }
  void TearDown() override {
    audio::SoundNotifier = nullptr;  // a test's listener is gone by now
    audio::ShutdownSounds();
    platform::wave_test::Reset();
    HeadlessTest::TearDown();
  }

  std::string Write(const std::string& name, const std::string& bytes) {
    const auto path = folder_ / name;
    wavtest::WriteFile(path, bytes);
    return path.string();
  }
  // A short 16-bit mono sound at 44.1 kHz.
  std::string Good(const std::string& name = "good.wav", int frames = 441) {
    return Write(name, wavtest::Wav(wavtest::FormatBody(wavtest::kPcm, 1, 44100, 16),
                                    wavtest::Square(frames, 1, 0.5, 50, wavtest::kPcm, 16)));
  }
  audio::SoundBool Load(std::int32_t slot, const std::string& file, std::int32_t flags = 0) {
    return audio::LoadSound(slot, file, flags);
  }
  static platform::HWAVEOUT DeviceOf(std::int32_t slot) {
    return audio::SoundSlots[slot - 1].Device;
  }
  // The message loop runs: posted done messages are handled.
  static void Pump() { platform::DoEvents(); }
  static std::vector<std::string> Boxes() {
    std::vector<std::string> texts;
    for (const auto& box : platform::headless::MessageBoxes()) {
      EXPECT_EQ(box.title, platform::kAppTitle);
      texts.push_back(box.text);
    }
    return texts;
  }
  // The wave-output calls by name, e.g. {"waveOutReset", "waveOutClose"}.
  static std::vector<std::string> DeviceCalls() {
    std::vector<std::string> names;
    for (const auto& call : platform::wave_test::Calls()) names.push_back(call.name);
    return names;
  }

  zt_test::TempFolder temp_{"zt_sound"};
  const std::filesystem::path& folder_ = temp_.Path();
};

}  // namespace audiotest

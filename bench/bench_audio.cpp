// SPDX-License-Identifier: MIT
// The sound engine's two time limits: the audio callback mixing 32 playing voices must
// take under 10% of its buffer's duration, and a started sound must reach the mixer
// within one audio buffer.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "audio/sound_manager.h"
#include "audio/sound_slots.h"
#include "platform/headless/headless.h"
#include "platform/loop/system.h"
#include "platform/sdl/wave_out_device.h"
#include "platform/winmm/wave_out.h"
#include "platform/winmm/wave_out_mixer.h"
#include "platform/winmm/wave_out_test.h"
#include "tests/audio/wav_builder.h"

namespace {

using namespace platform;
using Clock = std::chrono::steady_clock;

constexpr double kBufferMs = 1000.0 * wave_out_mixer::kBufferFrames / 44100.0;

// One playing voice: its samples, its header and its device.
struct BenchVoice {
  std::string samples;
  WAVEHDR header{};
  HWAVEOUT device = 0;
};

// 32 voices in the formats the game may meet, resampled ones included, 10 s each.
void OpenVoices(std::vector<BenchVoice>& voices) {
  using namespace wavtest;
  struct Shape {
    std::uint16_t tag, channels, bits;
    std::uint32_t rate;
  };
  const Shape shapes[] = {
      {kPcm, 2, 16, 44100}, {kPcm, 1, 16, 22050}, {kPcm, 2, 24, 48000}, {kFloat, 1, 32, 44100}};
  for (std::size_t i = 0; i < voices.size(); ++i) {
    const Shape& s = shapes[i % 4];
    BenchVoice& v = voices[i];
    v.samples = Square(static_cast<int>(s.rate) * 10, s.channels, 0.05, 100, s.tag, s.bits);
    const std::string format = FormatBody(s.tag, s.channels, s.rate, s.bits) + Le16(0);
    waveOutOpen(&v.device, WAVE_MAPPER, reinterpret_cast<const WAVEFORMATEX*>(format.data()), 0, 0,
                CALLBACK_NULL);
    v.header.lpData = v.samples.data();
    v.header.dwBufferLength = static_cast<std::uint32_t>(v.samples.size());
    waveOutPrepareHeader(v.device, &v.header, sizeof v.header);
    waveOutWrite(v.device, &v.header, sizeof v.header);
  }
}

void BM_MixCallback32Voices(benchmark::State& state) {
  detail::UseAudioDevice(nullptr);  // test devices, pulled here by hand
  std::vector<BenchVoice> voices(32);
  OpenVoices(voices);
  std::vector<float> out(2 * wave_out_mixer::kBufferFrames);
  for (auto _ : state) {
    wave_test::Mix(out.data(), wave_out_mixer::kBufferFrames);
    benchmark::DoNotOptimize(out.data());
    for (BenchVoice& v : voices) {
      if (v.header.dwFlags & WHDR_DONE) waveOutWrite(v.device, &v.header, sizeof v.header);
    }
  }
  for (BenchVoice& v : voices) {
    waveOutReset(v.device);
    waveOutClose(v.device);
  }
  state.counters["buffer_ms"] = kBufferMs;
}
BENCHMARK(BM_MixCallback32Voices)->Unit(benchmark::kMicrosecond);

// StartSound to the first samples taken by the mixer, on SDL's disk driver, which runs
// its audio thread in real time like a sound card.
void BM_StartSoundReachesMixer(benchmark::State& state) {
  const auto folder = std::filesystem::temp_directory_path() / "zt_bench_audio";
  std::filesystem::create_directories(folder);
  const auto file = folder / "music.wav";
  using namespace wavtest;
  WriteFile(file, Wav(FormatBody(kPcm, 2, 44100, 16), Square(441000, 2, 0.1, 100, kPcm, 16)));
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
  headless::Init();  // the notification window; the sound itself plays on SDL's device
  detail::UseAudioDevice(&wave_out_sdl::AudioDevice());
  const std::int32_t flags = 0;
  if (audio::LoadSound(1, file.string(), flags) != audio::kSoundTrue ||
      audio::SoundSlots[0].Device == 0) {
    state.SkipWithError("no audio device");
    return;
  }
  double worstMs = 0;
  std::uint64_t mostPasses = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    audio::StartSound(1);
    // 1: the very next buffer after the write took it.
    const std::uint64_t passesBefore = wave_out_mixer::MixPasses();
    std::uint64_t firstPass;
    while ((firstPass = wave_out_mixer::FirstMixPass(audio::SoundSlots[0].Device)) == 0) {
      std::this_thread::yield();
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    mostPasses = std::max(mostPasses, firstPass - passesBefore);
    state.SetIterationTime(ms / 1000.0);
    worstMs = std::max(worstMs, ms);
    audio::StopSound(1);
    while (audio::GetSoundState(1) != audio::SlotReady) DoEvents();
    // Start at a different point of the callback cycle each time.
    std::this_thread::sleep_for(
        std::chrono::microseconds(1000 + (state.iterations() * 3731) % 9000));
  }
  audio::ShutdownSounds();
  state.counters["worst_ms"] = worstMs;
  state.counters["most_buffers"] = static_cast<double>(mostPasses);
  state.counters["buffer_ms"] = kBufferMs;
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_StartSoundReachesMixer)
    ->UseManualTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

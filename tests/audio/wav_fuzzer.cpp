// SPDX-License-Identifier: MIT
// libFuzzer target: any bytes as a WAV file, through the loader's walk of the file, then
// through a wave-output device and the mixer, as LoadSound and StartSound would take it.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "audio/wave_file.h"
#include "platform/loop/window_messages.h"
#include "platform/winmm/wave_out.h"
#include "platform/winmm/wave_out_mixer.h"
#include "platform/winmm/wave_out_test.h"

// Devices are opened without a callback window, so nothing is ever posted; the fuzzer
// links the parsing and mixing code only, not the window system.
namespace platform {
bool PostMessageA(HWND, std::uint32_t, WPARAM, LPARAM) {
  return false;
}
}  // namespace platform

namespace {

std::string path;

void Play(audio::WaveFile& wave, std::vector<char>& samples) {
  using namespace platform;
  HWAVEOUT device = 0;
  if (waveOutOpen(&device, WAVE_MAPPER, &wave.format.Format, 0, 0, CALLBACK_NULL) != 0) {
    if (device != 0) __builtin_trap();
    return;
  }
  WAVEHDR header{};
  header.lpData = samples.data();
  header.dwBufferLength = static_cast<std::uint32_t>(samples.size());
  waveOutPrepareHeader(device, &header, sizeof header);
  waveOutWrite(device, &header, sizeof header);
  float out[2 * 256];
  for (int pull = 0; pull < 4; ++pull) {
    wave_test::Mix(out, 256);
    for (float sample : out) {
      if (!(sample >= -1.0f && sample <= 1.0f)) __builtin_trap();
    }
  }
  waveOutReset(device);
  if (!(header.dwFlags & WHDR_DONE)) __builtin_trap();
  waveOutUnprepareHeader(device, &header, sizeof header);
  waveOutClose(device);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  path = "/tmp/zt_wav_fuzz_" + std::to_string(getpid()) + ".wav";
  std::atexit([] { std::remove(path.c_str()); });
  platform::detail::UseAudioDevice(nullptr);  // test devices, as the headless backend has
  platform::wave_test::Reset();  // makes what lives for the whole run before the first input
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  audio::WaveFile wave;
  wave.file = platform::mmioOpenA(path.c_str(), nullptr, platform::MMIO_ALLOCBUF);
  if (!wave.file) __builtin_trap();
  std::vector<char> samples;
  if (audio::FindWaveChunks(wave).empty() && audio::ReadWaveSamples(wave, samples).empty()) {
    if (samples.size() != wave.data.cksize || samples.size() > size) __builtin_trap();
    Play(wave, samples);
  }
  platform::mmioClose(wave.file, 0);
  // Nothing may outlive an input: memory kept from one to the next (the backend's call log)
  // makes libFuzzer give up its leak check.
  platform::wave_test::Reset();
  return 0;
}

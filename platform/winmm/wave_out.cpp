// SPDX-License-Identifier: MIT
// The stand-in for the desktop's wave output outside Windows: every device is a voice
// (wave_out_voices.h) of one mixer (wave_out_mixer.h), which the chosen audio device plays;
// the headless backend's test devices are voices too, that no device plays.
#include "platform/winmm/wave_out.h"

#include "platform/winmm/wave_out_mixer.h"
#include "platform/winmm/wave_out_voices.h"

namespace platform {
namespace {

using wave_voices::WaveOutBackend;

bool DevicePlays() {
  detail::AudioDevice* device = detail::CurrentAudioDevice();
  return device && !device->Failed();
}

}  // namespace

MMRESULT waveOutOpen(HWAVEOUT* device, std::uint32_t deviceId, const WAVEFORMATEX* format,
                     std::uintptr_t callback, std::uintptr_t /*instance*/, std::uint32_t flags) {
  if (!device) return MMSYSERR_INVALPARAM;
  *device = 0;
  const WaveOutBackend backend = wave_voices::Backend();
  wave_voices::SampleFormat sample{};
  const MMRESULT checked = wave_voices::CheckOpen(backend, deviceId, format, flags, sample);
  if (checked != MMSYSERR_NOERROR) return checked;
  if (backend == WaveOutBackend::Device) {
    detail::AudioDevice* audio = detail::CurrentAudioDevice();
    if (!audio || !audio->Acquire()) return MMSYSERR_NODRIVER;
  }
  *device = wave_voices::Add(backend, sample, callback, flags);
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, std::uint32_t headerSize) {
  return wave_voices::PrepareHeader(device, header, headerSize);
}

MMRESULT waveOutWrite(HWAVEOUT device, WAVEHDR* header, std::uint32_t headerSize) {
  return wave_voices::Write(device, header, headerSize, &DevicePlays);
}

MMRESULT waveOutReset(HWAVEOUT device) {
  return wave_voices::Reset(device);
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, std::uint32_t headerSize) {
  return wave_voices::UnprepareHeader(device, header, headerSize);
}

MMRESULT waveOutClose(HWAVEOUT device) {
  MMRESULT result;
  if (wave_voices::Close(device, result) == WaveOutBackend::Device &&
      !wave_voices::AnyOf(WaveOutBackend::Device)) {
    {
      std::lock_guard guard(wave_voices::Lock());
      wave_out_mixer::DropRests(WaveOutBackend::Device);  // the device stops with its last voice
    }
    // Outside the lock: closing the device waits for its thread.
    if (detail::AudioDevice* audio = detail::CurrentAudioDevice()) audio->Release();
  }
  return result;
}

}  // namespace platform

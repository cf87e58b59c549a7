// SPDX-License-Identifier: MIT
// Wave output on Windows: the desktop's own waveOut calls play the Device backend, and
// the desktop converts and mixes the devices. The test devices are the layer's own voices
// and mixer (platform/winmm/), so tests run the same on every platform. The layer's
// records have the desktop's layout.
#include "platform/winmm/wave_out.h"

#include "platform/winmm/wave_out_voices.h"

// After the layer's headers: the desktop's headers define some of their names as macros.
#include <windows.h>

#include <mmsystem.h>  // after windows.h, whose types it uses

namespace platform {
namespace {

using wave_voices::WaveOutBackend;

static_assert(sizeof(platform::WAVEHDR) == sizeof(::WAVEHDR));
static_assert(sizeof(platform::WAVEFORMATEX) == sizeof(::WAVEFORMATEX));

::HWAVEOUT Native(HWAVEOUT device) {
  return reinterpret_cast<::HWAVEOUT>(device);
}

::WAVEHDR* Native(platform::WAVEHDR* header) {
  return reinterpret_cast<::WAVEHDR*>(header);
}

// A device opened by the test backend; every other handle is the desktop's.
bool IsTestDevice(HWAVEOUT device) {
  std::lock_guard guard(wave_voices::Lock());
  return wave_voices::Find(device) != nullptr;
}

}  // namespace

MMRESULT waveOutOpen(HWAVEOUT* device, std::uint32_t deviceId, const platform::WAVEFORMATEX* format,
                     std::uintptr_t callback, std::uintptr_t instance, std::uint32_t flags) {
  if (!device) return MMSYSERR_INVALPARAM;
  *device = 0;
  if (wave_voices::Backend() == WaveOutBackend::Test) {
    wave_voices::SampleFormat sample{};
    const MMRESULT checked =
        wave_voices::CheckOpen(WaveOutBackend::Test, deviceId, format, flags, sample);
    if (checked != MMSYSERR_NOERROR) return checked;
    *device = wave_voices::Add(WaveOutBackend::Test, sample, callback, flags);
    return MMSYSERR_NOERROR;
  }
  ::HWAVEOUT opened = nullptr;
  const MMRESULT result =
      ::waveOutOpen(&opened, deviceId, reinterpret_cast<const ::WAVEFORMATEX*>(format), callback,
                    instance, flags);
  if (result == MMSYSERR_NOERROR) *device = reinterpret_cast<HWAVEOUT>(opened);
  return result;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT device, platform::WAVEHDR* header,
                              std::uint32_t headerSize) {
  if (IsTestDevice(device)) return wave_voices::PrepareHeader(device, header, headerSize);
  return ::waveOutPrepareHeader(Native(device), Native(header), headerSize);
}

MMRESULT waveOutWrite(HWAVEOUT device, platform::WAVEHDR* header, std::uint32_t headerSize) {
  if (IsTestDevice(device)) return wave_voices::Write(device, header, headerSize);
  return ::waveOutWrite(Native(device), Native(header), headerSize);
}

MMRESULT waveOutReset(HWAVEOUT device) {
  if (IsTestDevice(device)) return wave_voices::Reset(device);
  return ::waveOutReset(Native(device));
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT device, platform::WAVEHDR* header,
                                std::uint32_t headerSize) {
  if (IsTestDevice(device)) return wave_voices::UnprepareHeader(device, header, headerSize);
  return ::waveOutUnprepareHeader(Native(device), Native(header), headerSize);
}

MMRESULT waveOutClose(HWAVEOUT device) {
  if (IsTestDevice(device)) {
    MMRESULT result;
    wave_voices::Close(device, result);
    return result;
  }
  return ::waveOutClose(Native(device));
}

}  // namespace platform

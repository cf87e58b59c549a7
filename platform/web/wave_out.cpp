// Wave output in the browser, for now without sound: every device is a voice whose
// buffers finish, with their done messages, when they would have played to their end.
#include "platform/winmm/wave_out.h"

#include <emscripten.h>

#include "platform/winmm/wave_out_voices.h"

namespace platform {
namespace {

struct Timing {
  double frontEndsMs = -1;  // when the first queued buffer ends; negative: not started
};

double DurationMs(const wave_voices::Voice& voice, const WAVEHDR& header) {
  const auto& f = voice.format;
  return f.blockAlign > 0 && f.rate > 0
             ? 1000.0 * (header.dwBufferLength / f.blockAlign) / f.rate
             : 0.0;
}

// Starts the clock of every voice's first buffer and asks to be called when the earliest
// one ends.
void Schedule() {
  double earliest = -1;
  const double now = emscripten_get_now();
  for (auto& voice : wave_voices::All()) {
    if (voice->backend != WaveOutBackend::Device || voice->queue.empty()) continue;
    auto& timing = *static_cast<Timing*>(voice->player.get());
    if (timing.frontEndsMs < 0) timing.frontEndsMs = now + DurationMs(*voice, *voice->queue.front());
    if (earliest < 0 || timing.frontEndsMs < earliest) earliest = timing.frontEndsMs;
  }
  if (earliest >= 0)
    EM_ASM({ setTimeout(function() { Module._zt_sound_due(); }, $0); }, earliest - now);
}

}  // namespace
}  // namespace platform

extern "C" EMSCRIPTEN_KEEPALIVE void zt_sound_due() {
  using namespace platform;
  std::vector<wave_voices::Notice> notices;
  const double now = emscripten_get_now();
  for (auto& voice : wave_voices::All()) {
    auto* timing = static_cast<Timing*>(voice->player.get());
    if (!timing || voice->queue.empty() || timing->frontEndsMs < 0 || timing->frontEndsMs > now)
      continue;
    timing->frontEndsMs = -1;
    wave_voices::FinishFront(*voice, notices);
  }
  wave_voices::Post(notices);
  Schedule();
}

namespace platform {

MMRESULT waveOutOpen(HWAVEOUT* device, std::uint32_t deviceId, const WAVEFORMATEX* format,
                     std::uintptr_t callback, std::uintptr_t /*instance*/, std::uint32_t flags) {
  if (!device) return MMSYSERR_INVALPARAM;
  *device = 0;
  const WaveOutBackend backend = wave_voices::Backend();
  wave_voices::SampleFormat sample{};
  const MMRESULT checked = wave_voices::CheckOpen(backend, deviceId, format, flags, sample);
  if (checked != MMSYSERR_NOERROR) return checked;
  *device = wave_voices::Add(backend, sample, callback, flags, std::make_shared<Timing>());
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, std::uint32_t headerSize) {
  return wave_voices::PrepareHeader(device, header, headerSize);
}

MMRESULT waveOutWrite(HWAVEOUT device, WAVEHDR* header, std::uint32_t headerSize) {
  const MMRESULT result = wave_voices::Write(device, header, headerSize);
  Schedule();
  return result;
}

MMRESULT waveOutReset(HWAVEOUT device) {
  if (wave_voices::Voice* voice = wave_voices::Find(device); voice && voice->player)
    static_cast<Timing*>(voice->player.get())->frontEndsMs = -1;
  return wave_voices::Reset(device);
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, std::uint32_t headerSize) {
  return wave_voices::UnprepareHeader(device, header, headerSize);
}

MMRESULT waveOutClose(HWAVEOUT device) {
  MMRESULT result;
  wave_voices::Close(device, result);
  return result;
}

void SelectWaveOutBackend(WaveOutBackend backend) {
  wave_voices::SetBackend(backend);
}

WaveOutBackend CurrentWaveOutBackend() {
  return wave_voices::Backend();
}

}  // namespace platform

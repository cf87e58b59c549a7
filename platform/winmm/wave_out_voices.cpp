// SPDX-License-Identifier: MIT
#include "platform/winmm/wave_out_voices.h"

#include <algorithm>
#include <cstring>

#include "platform/winmm/wave_out_mixer.h"
#include "platform/winmm/wave_out_test.h"

namespace platform::wave_voices {
namespace {

constexpr std::uint32_t kCallbackTypeMask = 0x70000;

struct Voices {
  std::mutex lock;
  std::vector<std::unique_ptr<Voice>> all;
  HWAVEOUT nextHandle = 0x5D01;
  WaveOutBackend backend = WaveOutBackend::Device;
  std::vector<wave_test::Call> calls;
  bool testOpenFails = false;
};

// Never destroyed: the audio thread may still call in while the process exits.
Voices& TheVoices() {
  static Voices* voices = new Voices;
  return *voices;
}

void Log(WaveOutBackend backend, const char* name, HWAVEOUT handle) {
  if (backend == WaveOutBackend::Test) TheVoices().calls.push_back({name, handle});
}

// Checks a header call's arguments; on success leaves the voice in *voice.
MMRESULT CheckHeaderCall(HWAVEOUT device, const WAVEHDR* header, std::uint32_t headerSize,
                         const char* name, Voice** voice) {
  *voice = Find(device);
  if (!*voice) return MMSYSERR_INVALHANDLE;
  Log((*voice)->backend, name, device);
  if (!header || headerSize != sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
  return MMSYSERR_NOERROR;
}

}  // namespace

std::mutex& Lock() {
  return TheVoices().lock;
}

std::vector<std::unique_ptr<Voice>>& All() {
  return TheVoices().all;
}

Voice* Find(HWAVEOUT handle) {
  for (auto& voice : TheVoices().all) {
    if (voice->handle == handle) return voice.get();
  }
  return nullptr;
}

void FinishFront(Voice& voice, std::vector<Notice>& notices) {
  WAVEHDR* header = voice.queue.front();
  voice.queue.pop_front();
  header->dwFlags = (header->dwFlags | WHDR_DONE) & ~WHDR_INQUEUE;
  ++voice.finished;
  if (voice.window) notices.push_back({voice.window, voice.handle, header});
}

void Post(const std::vector<Notice>& notices) {
  for (const Notice& n : notices) {
    PostMessageA(n.window, MM_WOM_DONE, n.device, reinterpret_cast<LPARAM>(n.header));
  }
}

MMRESULT CheckOpen(WaveOutBackend backend, std::uint32_t deviceId, const WAVEFORMATEX* format,
                   std::uint32_t flags, SampleFormat& sampleFormat) {
  Voices& v = TheVoices();
  {
    std::lock_guard guard(v.lock);
    Log(backend, "waveOutOpen", 0);
    if (backend == WaveOutBackend::Test && v.testOpenFails) return MMSYSERR_NODRIVER;
  }
  if (deviceId != WAVE_MAPPER && deviceId != 0) return MMSYSERR_BADDEVICEID;
  const std::uint32_t callbackType = flags & kCallbackTypeMask;
  if (callbackType != CALLBACK_NULL && callbackType != CALLBACK_WINDOW) return MMSYSERR_INVALFLAG;
  const std::optional<SampleFormat> sample = wave_convert::ReadFormat(format);
  if (!sample) return WAVERR_BADFORMAT;
  sampleFormat = *sample;
  return MMSYSERR_NOERROR;
}

HWAVEOUT Add(WaveOutBackend backend, const SampleFormat& format, std::uintptr_t callback,
             std::uint32_t flags) {
  auto voice = std::make_unique<Voice>();
  voice->backend = backend;
  voice->window = (flags & kCallbackTypeMask) == CALLBACK_WINDOW ? static_cast<HWND>(callback) : 0;
  voice->format = format;
  voice->player = wave_out_mixer::NewPlayer(format);
  Voices& v = TheVoices();
  std::lock_guard guard(v.lock);
  voice->handle = v.nextHandle++;
  const HWAVEOUT handle = voice->handle;
  v.all.push_back(std::move(voice));
  return handle;
}

MMRESULT PrepareHeader(HWAVEOUT device, WAVEHDR* header, std::uint32_t headerSize) {
  std::lock_guard guard(Lock());
  Voice* voice;
  const MMRESULT result =
      CheckHeaderCall(device, header, headerSize, "waveOutPrepareHeader", &voice);
  if (result != MMSYSERR_NOERROR) return result;
  header->dwFlags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT Write(HWAVEOUT device, WAVEHDR* header, std::uint32_t headerSize, bool (*devicePlays)()) {
  std::lock_guard guard(Lock());
  Voice* voice;
  const MMRESULT result = CheckHeaderCall(device, header, headerSize, "waveOutWrite", &voice);
  if (result != MMSYSERR_NOERROR) return result;
  if (!(header->dwFlags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  // Asked under the lock: a failing device is marked failed before its queued buffers are
  // finished, so no buffer is queued after them to wait for ever.
  if (voice->backend == WaveOutBackend::Device && devicePlays && !devicePlays()) {
    return MMSYSERR_NODRIVER;
  }
  header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
  header->lpNext = nullptr;
  voice->queue.push_back(header);
  return MMSYSERR_NOERROR;
}

MMRESULT Reset(HWAVEOUT device) {
  std::vector<Notice> notices;
  {
    std::lock_guard guard(Lock());
    Voice* voice = Find(device);
    if (!voice) return MMSYSERR_INVALHANDLE;
    Log(voice->backend, "waveOutReset", device);
    ++voice->resets;
    while (!voice->queue.empty()) FinishFront(*voice, notices);
  }
  Post(notices);
  return MMSYSERR_NOERROR;
}

MMRESULT UnprepareHeader(HWAVEOUT device, WAVEHDR* header, std::uint32_t headerSize) {
  std::lock_guard guard(Lock());
  Voice* voice;
  const MMRESULT result =
      CheckHeaderCall(device, header, headerSize, "waveOutUnprepareHeader", &voice);
  if (result != MMSYSERR_NOERROR) return result;
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  header->dwFlags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

std::optional<WaveOutBackend> Close(HWAVEOUT device, MMRESULT& result) {
  std::lock_guard guard(Lock());
  Voice* voice = Find(device);
  result = MMSYSERR_INVALHANDLE;
  if (!voice) return std::nullopt;
  Log(voice->backend, "waveOutClose", device);
  result = WAVERR_STILLPLAYING;
  if (!voice->queue.empty()) return std::nullopt;
  const WaveOutBackend backend = voice->backend;
  wave_out_mixer::KeepRest(*voice);
  std::erase_if(All(), [voice](const auto& each) { return each.get() == voice; });
  result = MMSYSERR_NOERROR;
  return backend;
}

bool AnyOf(WaveOutBackend backend) {
  std::lock_guard guard(Lock());
  return std::any_of(All().begin(), All().end(),
                     [backend](const auto& voice) { return voice->backend == backend; });
}

void FinishEveryBuffer(WaveOutBackend backend) {
  std::vector<Notice> notices;
  {
    std::lock_guard guard(Lock());
    for (auto& voice : All()) {
      if (voice->backend != backend) continue;
      while (!voice->queue.empty()) FinishFront(*voice, notices);
    }
  }
  Post(notices);
}

bool FinishFirstBuffer(HWAVEOUT device) {
  std::vector<Notice> notices;
  {
    std::lock_guard guard(Lock());
    Voice* voice = Find(device);
    if (!voice || voice->queue.empty()) return false;
    FinishFront(*voice, notices);
  }
  Post(notices);
  return true;
}

void SetBackend(WaveOutBackend backend) {
  std::lock_guard guard(Lock());
  TheVoices().backend = backend;
}

WaveOutBackend Backend() {
  std::lock_guard guard(Lock());
  return TheVoices().backend;
}

}  // namespace platform::wave_voices

namespace platform::wave_test {

using wave_voices::All;
using wave_voices::Lock;
using wave_voices::WaveOutBackend;

std::vector<Call> Calls() {
  std::lock_guard guard(Lock());
  return wave_voices::TheVoices().calls;
}

void ClearCalls() {
  std::lock_guard guard(Lock());
  wave_voices::TheVoices().calls.clear();
}

void SetOpenFails(bool fails) {
  std::lock_guard guard(Lock());
  wave_voices::TheVoices().testOpenFails = fails;
}

bool FinishBuffer(HWAVEOUT device) {
  return wave_voices::FinishFirstBuffer(device);
}

std::size_t QueuedBuffers(HWAVEOUT device) {
  std::lock_guard guard(Lock());
  const wave_voices::Voice* voice = wave_voices::Find(device);
  return voice ? voice->queue.size() : 0;
}

int OpenDevices() {
  std::lock_guard guard(Lock());
  return static_cast<int>(std::count_if(All().begin(), All().end(), [](const auto& voice) {
    return voice->backend == WaveOutBackend::Test;
  }));
}

void Reset() {
  std::lock_guard guard(Lock());
  std::erase_if(All(), [](const auto& voice) { return voice->backend == WaveOutBackend::Test; });
  wave_out_mixer::DropRests(WaveOutBackend::Test);
  wave_voices::TheVoices().calls.clear();
  wave_voices::TheVoices().testOpenFails = false;
}

}  // namespace platform::wave_test

#include "platform/wave_out.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/sdl/wave_out_mixer.h"
#include "platform/sdl/wave_out_test.h"
#include "platform/window_messages.h"

namespace platform {
namespace {

constexpr std::uint32_t kCallbackTypeMask = 0x70000;
constexpr int kOutputFrameBytes = wave_out_mixer::kOutputChannels * sizeof(float);

// What a voice's buffers hold, as the stream converter reads it.
struct SourceFormat {
  SDL_AudioFormat sdlFormat;
  int channels;
  int rate;
  int blockAlign;
  bool widen24;  // 24-bit samples are widened to 32 bits before conversion
};

struct Voice {
  HWAVEOUT handle = 0;
  WaveOutBackend backend = WaveOutBackend::Sdl;
  HWND window = 0;  // 0 with CALLBACK_NULL
  SourceFormat format{};
  SDL_AudioStream* stream = nullptr;
  std::deque<WAVEHDR*> queue;
  std::uint32_t fed = 0;        // bytes of the first queued buffer put into the stream
  bool flushed = false;         // all of it is in the stream
  std::uint64_t firstPass = 0;  // the mixer pass that first took from it
  std::vector<std::int32_t> widened;
  ~Voice() {
    if (stream) SDL_FreeAudioStream(stream);
  }
};

struct Notice {
  HWND window;
  HWAVEOUT device;
  WAVEHDR* header;
};

struct Voices {
  std::mutex lock;
  std::vector<std::unique_ptr<Voice>> all;
  HWAVEOUT nextHandle = 0x5D01;
  WaveOutBackend backend = WaveOutBackend::Sdl;
  std::vector<float> scratch;  // one voice's converted output
  std::vector<wave_test::Call> calls;
  bool testOpenFails = false;
  bool stopped = false;  // StopReading
  std::uint64_t mixPasses = 0;
};

// Never destroyed: the audio thread may still call in while the process exits.
Voices& TheVoices() {
  static Voices* voices = new Voices;
  return *voices;
}

Voice* Find(Voices& v, HWAVEOUT handle) {
  for (auto& voice : v.all) {
    if (voice->handle == handle) return voice.get();
  }
  return nullptr;
}

void Log(Voices& v, WaveOutBackend backend, const char* name, HWAVEOUT handle) {
  if (backend == WaveOutBackend::Test) v.calls.push_back({name, handle});
}

void Post(const std::vector<Notice>& notices) {
  for (const Notice& n : notices) {
    PostMessageA(n.window, MM_WOM_DONE, n.device, reinterpret_cast<LPARAM>(n.header));
  }
}

bool IsStandardSubFormat(const GUID& guid) {
  static constexpr std::uint8_t kTail[8] = {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};
  return guid.Data2 == 0x0000 && guid.Data3 == 0x0010 &&
         std::memcmp(guid.Data4, kTail, sizeof kTail) == 0;
}

std::optional<SourceFormat> ReadFormat(const WAVEFORMATEX* format) {
  if (!format) return std::nullopt;
  std::uint32_t tag = format->wFormatTag;
  if (tag == WAVE_FORMAT_EXTENSIBLE) {
    if (format->cbSize < 22) return std::nullopt;
    GUID sub;
    std::memcpy(&sub, &reinterpret_cast<const WAVEFORMATEXTENSIBLE*>(format)->SubFormat,
                sizeof sub);
    if (!IsStandardSubFormat(sub)) return std::nullopt;
    tag = sub.Data1;
  }
  const int channels = format->nChannels, bits = format->wBitsPerSample;
  const int rate = static_cast<int>(std::min<std::uint32_t>(format->nSamplesPerSec, 1000000));
  if (channels < 1 || channels > 2 || rate < 8000 || rate > 192000) return std::nullopt;
  if (format->nBlockAlign != channels * bits / 8) return std::nullopt;
  SourceFormat source{0, channels, rate, format->nBlockAlign, false};
  if (tag == WAVE_FORMAT_PCM && bits == 8) {
    source.sdlFormat = AUDIO_U8;
  } else if (tag == WAVE_FORMAT_PCM && bits == 16) {
    source.sdlFormat = AUDIO_S16LSB;
  } else if (tag == WAVE_FORMAT_PCM && bits == 24) {
    source.sdlFormat = AUDIO_S32SYS;
    source.widen24 = true;
  } else if (tag == WAVE_FORMAT_PCM && bits == 32) {
    source.sdlFormat = AUDIO_S32LSB;
  } else if (tag == WAVE_FORMAT_IEEE_FLOAT && bits == 32) {
    source.sdlFormat = AUDIO_F32LSB;
  } else {
    return std::nullopt;
  }
  return source;
}

// The first queued buffer is done: marked so, taken off the queue and announced.
void FinishFront(Voice& voice, std::vector<Notice>& notices) {
  WAVEHDR* header = voice.queue.front();
  voice.queue.pop_front();
  header->dwFlags = (header->dwFlags | WHDR_DONE) & ~WHDR_INQUEUE;
  voice.fed = 0;
  voice.flushed = false;
  voice.firstPass = 0;
  SDL_AudioStreamClear(voice.stream);
  if (voice.window) notices.push_back({voice.window, voice.handle, header});
}

bool PutWidened(Voice& voice, const char* source, std::uint32_t frames) {
  const std::size_t count = std::size_t{frames} * voice.format.channels;
  voice.widened.resize(count);
  const auto* bytes = reinterpret_cast<const unsigned char*>(source);
  for (std::size_t i = 0; i < count; ++i, bytes += 3) {
    const std::uint32_t value = std::uint32_t{bytes[0]} << 8 | std::uint32_t{bytes[1]} << 16 |
                                std::uint32_t{bytes[2]} << 24;
    voice.widened[i] = static_cast<std::int32_t>(value);
  }
  return SDL_AudioStreamPut(voice.stream, voice.widened.data(),
                            static_cast<int>(count * sizeof(std::int32_t))) == 0;
}

// Puts source frames of the first buffer into the stream until it can give wantBytes,
// a piece at a time so that a long sound costs no more per callback than a short one.
void Feed(Voice& voice, int wantBytes) {
  const SourceFormat& f = voice.format;
  const std::uint32_t pieceFrames =
      static_cast<std::uint32_t>(std::int64_t{wantBytes / kOutputFrameBytes} * f.rate /
                                 wave_out_mixer::kOutputRate) +
      64;
  while (!voice.flushed && SDL_AudioStreamAvailable(voice.stream) < wantBytes) {
    const WAVEHDR* header = voice.queue.front();
    const std::uint32_t left = (header->dwBufferLength - voice.fed) / f.blockAlign;
    bool put = false;
    if (left > 0) {
      const std::uint32_t frames = std::min(left, pieceFrames);
      const char* source = header->lpData + voice.fed;
      put = f.widen24 ? PutWidened(voice, source, frames)
                      : SDL_AudioStreamPut(voice.stream, source,
                                           static_cast<int>(frames * f.blockAlign)) == 0;
      voice.fed += frames * f.blockAlign;
    }
    if (!put) {  // the end (a trailing partial frame is dropped), or a conversion error
      voice.fed = header->dwBufferLength;
      SDL_AudioStreamFlush(voice.stream);
      voice.flushed = true;
    }
  }
}

void MixVoice(Voices& v, Voice& voice, float* out, int frames, std::vector<Notice>& notices) {
  const int wanted = frames * kOutputFrameBytes;
  auto* converted = reinterpret_cast<char*>(v.scratch.data());
  int got = 0;
  if (voice.firstPass == 0) voice.firstPass = v.mixPasses + 1;
  while (got < wanted && !voice.queue.empty()) {
    Feed(voice, wanted - got);
    const int n = SDL_AudioStreamGet(voice.stream, converted + got, wanted - got);
    if (n > 0) got += n;
    if (voice.flushed && SDL_AudioStreamAvailable(voice.stream) == 0) {
      FinishFront(voice, notices);
    } else if (n <= 0) {
      break;
    }
  }
  const int samples = got / static_cast<int>(sizeof(float));
  for (int i = 0; i < samples; ++i) out[i] += v.scratch[i];
}

// Clips to [-1, 1]; a NaN from a damaged float file becomes silence, not noise.
float Clip(float sample) {
  if (sample > 1.0f) return 1.0f;
  if (sample < -1.0f) return -1.0f;
  return sample == sample ? sample : 0.0f;
}

void ReleaseSdlIfUnused() {
  Voices& v = TheVoices();
  {
    std::lock_guard guard(v.lock);
    for (auto& voice : v.all) {
      if (voice->backend == WaveOutBackend::Sdl) return;
    }
  }
  wave_out_sdl::Release();  // outside the lock: closing waits for the audio thread
}

// Checks a header call's arguments; on success leaves the voice in *voice.
MMRESULT CheckHeaderCall(Voices& v, HWAVEOUT device, const WAVEHDR* header,
                         std::uint32_t headerSize, const char* name, Voice** voice) {
  *voice = Find(v, device);
  if (!*voice) return MMSYSERR_INVALHANDLE;
  Log(v, (*voice)->backend, name, device);
  if (!header || headerSize != sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
  return MMSYSERR_NOERROR;
}

}  // namespace

MMRESULT waveOutOpen(HWAVEOUT* device, std::uint32_t deviceId, const WAVEFORMATEX* format,
                     std::uintptr_t callback, std::uintptr_t /*instance*/, std::uint32_t flags) {
  if (!device) return MMSYSERR_INVALPARAM;
  *device = 0;
  Voices& v = TheVoices();
  WaveOutBackend backend;
  bool openFails;
  {
    std::lock_guard guard(v.lock);
    backend = v.backend;
    openFails = v.testOpenFails;
    Log(v, backend, "waveOutOpen", 0);
  }
  if (deviceId != WAVE_MAPPER && deviceId != 0) return MMSYSERR_BADDEVICEID;
  const std::uint32_t callbackType = flags & kCallbackTypeMask;
  if (callbackType != CALLBACK_NULL && callbackType != CALLBACK_WINDOW) return MMSYSERR_INVALFLAG;
  const std::optional<SourceFormat> source = ReadFormat(format);
  if (!source) return WAVERR_BADFORMAT;

  const bool test = backend == WaveOutBackend::Test;
  if (test ? openFails : !wave_out_sdl::Acquire()) return MMSYSERR_NODRIVER;
  auto voice = std::make_unique<Voice>();
  voice->stream =
      SDL_NewAudioStream(source->sdlFormat, source->channels, source->rate, AUDIO_F32SYS,
                         wave_out_mixer::kOutputChannels, wave_out_mixer::kOutputRate);
  if (!voice->stream) {
    if (!test) ReleaseSdlIfUnused();
    return MMSYSERR_NOMEM;
  }
  voice->backend = backend;
  voice->window = callbackType == CALLBACK_WINDOW ? static_cast<HWND>(callback) : 0;
  voice->format = *source;
  std::lock_guard guard(v.lock);
  voice->handle = v.nextHandle++;
  *device = voice->handle;
  v.all.push_back(std::move(voice));
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, std::uint32_t headerSize) {
  Voices& v = TheVoices();
  std::lock_guard guard(v.lock);
  Voice* voice;
  const MMRESULT result =
      CheckHeaderCall(v, device, header, headerSize, "waveOutPrepareHeader", &voice);
  if (result != MMSYSERR_NOERROR) return result;
  header->dwFlags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutWrite(HWAVEOUT device, WAVEHDR* header, std::uint32_t headerSize) {
  Voices& v = TheVoices();
  std::lock_guard guard(v.lock);
  Voice* voice;
  const MMRESULT result = CheckHeaderCall(v, device, header, headerSize, "waveOutWrite", &voice);
  if (result != MMSYSERR_NOERROR) return result;
  if (!(header->dwFlags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  // Checked under the lock: a failing opener marks the device failed before it finishes
  // the queued buffers, so no buffer is queued after them to wait for ever.
  if (voice->backend == WaveOutBackend::Sdl && wave_out_sdl::Failed()) return MMSYSERR_NODRIVER;
  header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
  header->lpNext = nullptr;
  voice->queue.push_back(header);
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutReset(HWAVEOUT device) {
  Voices& v = TheVoices();
  std::vector<Notice> notices;
  {
    std::lock_guard guard(v.lock);
    Voice* voice = Find(v, device);
    if (!voice) return MMSYSERR_INVALHANDLE;
    Log(v, voice->backend, "waveOutReset", device);
    while (!voice->queue.empty()) FinishFront(*voice, notices);
  }
  Post(notices);
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, std::uint32_t headerSize) {
  Voices& v = TheVoices();
  std::lock_guard guard(v.lock);
  Voice* voice;
  const MMRESULT result =
      CheckHeaderCall(v, device, header, headerSize, "waveOutUnprepareHeader", &voice);
  if (result != MMSYSERR_NOERROR) return result;
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  header->dwFlags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutClose(HWAVEOUT device) {
  Voices& v = TheVoices();
  WaveOutBackend backend;
  {
    std::lock_guard guard(v.lock);
    Voice* voice = Find(v, device);
    if (!voice) return MMSYSERR_INVALHANDLE;
    Log(v, voice->backend, "waveOutClose", device);
    if (!voice->queue.empty()) return WAVERR_STILLPLAYING;
    backend = voice->backend;
    std::erase_if(v.all, [voice](const auto& each) { return each.get() == voice; });
  }
  if (backend == WaveOutBackend::Sdl) ReleaseSdlIfUnused();
  return MMSYSERR_NOERROR;
}

void SelectWaveOutBackend(WaveOutBackend backend) {
  Voices& v = TheVoices();
  {
    std::lock_guard guard(v.lock);
    v.backend = backend;
  }
  // Outside the lock: it waits for an opener, which may finish buffers under the lock.
  if (backend == WaveOutBackend::Sdl) wave_out_sdl::ForgetFailure();
}

WaveOutBackend CurrentWaveOutBackend() {
  Voices& v = TheVoices();
  std::lock_guard guard(v.lock);
  return v.backend;
}

namespace wave_out_mixer {

void Mix(WaveOutBackend backend, float* out, int frames) {
  Voices& v = TheVoices();
  std::vector<Notice> notices;
  {
    std::lock_guard guard(v.lock);
    const std::size_t samples = static_cast<std::size_t>(frames) * kOutputChannels;
    std::fill(out, out + samples, 0.0f);
    if (v.stopped) return;
    if (v.scratch.size() < samples) v.scratch.resize(samples);
    for (auto& voice : v.all) {
      if (voice->backend == backend && !voice->queue.empty()) {
        MixVoice(v, *voice, out, frames, notices);
      }
    }
    for (std::size_t i = 0; i < samples; ++i) out[i] = Clip(out[i]);
    ++v.mixPasses;
  }
  Post(notices);
}

void StopReading() {
  Voices& v = TheVoices();
  std::lock_guard guard(v.lock);
  v.stopped = true;
}

bool FinishFirstBuffer(HWAVEOUT device) {
  Voices& v = TheVoices();
  std::vector<Notice> notices;
  {
    std::lock_guard guard(v.lock);
    Voice* voice = Find(v, device);
    if (!voice || voice->queue.empty()) return false;
    FinishFront(*voice, notices);
  }
  Post(notices);
  return true;
}

void FinishEveryBuffer(WaveOutBackend backend) {
  Voices& v = TheVoices();
  std::vector<Notice> notices;
  {
    std::lock_guard guard(v.lock);
    for (auto& voice : v.all) {
      if (voice->backend != backend) continue;
      while (!voice->queue.empty()) FinishFront(*voice, notices);
    }
  }
  Post(notices);
}

std::uint64_t FirstMixPass(HWAVEOUT device) {
  Voices& v = TheVoices();
  std::lock_guard guard(v.lock);
  const Voice* voice = Find(v, device);
  return voice ? voice->firstPass : 0;
}

std::uint64_t MixPasses() {
  Voices& v = TheVoices();
  std::lock_guard guard(v.lock);
  return v.mixPasses;
}

}  // namespace wave_out_mixer

namespace wave_test {

std::vector<Call> Calls() {
  Voices& v = TheVoices();
  std::lock_guard guard(v.lock);
  return v.calls;
}

void ClearCalls() {
  Voices& v = TheVoices();
  std::lock_guard guard(v.lock);
  v.calls.clear();
}

void SetOpenFails(bool fails) {
  Voices& v = TheVoices();
  std::lock_guard guard(v.lock);
  v.testOpenFails = fails;
}

bool FinishBuffer(HWAVEOUT device) {
  return wave_out_mixer::FinishFirstBuffer(device);
}

std::size_t QueuedBuffers(HWAVEOUT device) {
  Voices& v = TheVoices();
  std::lock_guard guard(v.lock);
  const Voice* voice = Find(v, device);
  return voice ? voice->queue.size() : 0;
}

int OpenDevices() {
  Voices& v = TheVoices();
  std::lock_guard guard(v.lock);
  return static_cast<int>(std::count_if(v.all.begin(), v.all.end(), [](const auto& voice) {
    return voice->backend == WaveOutBackend::Test;
  }));
}

void Mix(float* out, int frames) {
  wave_out_mixer::Mix(WaveOutBackend::Test, out, frames);
}

void Reset() {
  Voices& v = TheVoices();
  std::lock_guard guard(v.lock);
  std::erase_if(v.all, [](const auto& voice) { return voice->backend == WaveOutBackend::Test; });
  v.calls.clear();
  v.testOpenFails = false;
}

}  // namespace wave_test
}  // namespace platform

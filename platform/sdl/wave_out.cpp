// The Linux stand-in for wave output: every device is a voice (platform/winmm/wave_out_voices.h),
// and one mixer converts the voices' buffers with SDL's audio streams and mixes them for
// SDL's audio device (wave_out_device.cpp).
#include "platform/winmm/wave_out.h"

#include <SDL.h>

#include <algorithm>

#include "platform/sdl/wave_out_mixer.h"
#include "platform/winmm/wave_out_test.h"
#include "platform/winmm/wave_out_voices.h"

namespace platform {
namespace {

using wave_voices::Encoding;
using wave_voices::Notice;
using wave_voices::Voice;

constexpr int kOutputFrameBytes = wave_out_mixer::kOutputChannels * sizeof(float);

// What the mixer keeps for a voice: the converter of its first queued buffer.
struct Player {
  SDL_AudioStream* stream = nullptr;
  std::uint64_t finished = 0;   // the voice's count of finished buffers this belongs to
  std::uint32_t fed = 0;        // bytes of the first queued buffer put into the stream
  bool flushed = false;         // all of it is in the stream
  std::uint64_t firstPass = 0;  // the mixer pass that first took from it
  std::vector<std::int32_t> widened;
  ~Player() {
    if (stream) SDL_FreeAudioStream(stream);
  }
};

struct Mixer {
  std::vector<float> scratch;  // one voice's converted output
  std::uint64_t passes = 0;
  bool stopped = false;  // StopReading
};

// Under the voices' lock, like the voices themselves.
Mixer& TheMixer() {
  static Mixer* mixer = new Mixer;
  return *mixer;
}

SDL_AudioFormat SdlFormatOf(Encoding encoding) {
  switch (encoding) {
    case Encoding::U8:
      return AUDIO_U8;
    case Encoding::S16:
      return AUDIO_S16LSB;
    case Encoding::S24:  // widened to 32 bits before conversion
      return AUDIO_S32SYS;
    case Encoding::S32:
      return AUDIO_S32LSB;
    case Encoding::F32:
      return AUDIO_F32LSB;
  }
  return AUDIO_U8;
}

std::shared_ptr<Player> MakePlayer(const wave_voices::SampleFormat& format) {
  auto player = std::make_shared<Player>();
  player->stream =
      SDL_NewAudioStream(SdlFormatOf(format.encoding), format.channels, format.rate, AUDIO_F32SYS,
                         wave_out_mixer::kOutputChannels, wave_out_mixer::kOutputRate);
  return player->stream ? player : nullptr;
}

Player& PlayerOf(Voice& voice) {
  return *static_cast<Player*>(voice.player.get());
}

// The first buffer has changed since the player last looked: start afresh on the new one.
void FollowFront(Voice& voice) {
  Player& player = PlayerOf(voice);
  if (player.finished == voice.finished) return;
  player.finished = voice.finished;
  player.fed = 0;
  player.flushed = false;
  player.firstPass = 0;
  SDL_AudioStreamClear(player.stream);
}

bool PutWidened(Voice& voice, const char* source, std::uint32_t frames) {
  Player& player = PlayerOf(voice);
  const std::size_t count = std::size_t{frames} * voice.format.channels;
  player.widened.resize(count);
  const auto* bytes = reinterpret_cast<const unsigned char*>(source);
  for (std::size_t i = 0; i < count; ++i, bytes += 3) {
    const std::uint32_t value = std::uint32_t{bytes[0]} << 8 | std::uint32_t{bytes[1]} << 16 |
                                std::uint32_t{bytes[2]} << 24;
    player.widened[i] = static_cast<std::int32_t>(value);
  }
  return SDL_AudioStreamPut(player.stream, player.widened.data(),
                            static_cast<int>(count * sizeof(std::int32_t))) == 0;
}

// Puts source frames of the first buffer into the stream until it can give wantBytes,
// a piece at a time so that a long sound costs no more per callback than a short one.
void Feed(Voice& voice, int wantBytes) {
  Player& player = PlayerOf(voice);
  const wave_voices::SampleFormat& f = voice.format;
  const std::uint32_t pieceFrames =
      static_cast<std::uint32_t>(std::int64_t{wantBytes / kOutputFrameBytes} * f.rate /
                                 wave_out_mixer::kOutputRate) +
      64;
  while (!player.flushed && SDL_AudioStreamAvailable(player.stream) < wantBytes) {
    const WAVEHDR* header = voice.queue.front();
    const std::uint32_t left = (header->dwBufferLength - player.fed) / f.blockAlign;
    bool put = false;
    if (left > 0) {
      const std::uint32_t frames = std::min(left, pieceFrames);
      const char* source = header->lpData + player.fed;
      put = f.encoding == Encoding::S24
                ? PutWidened(voice, source, frames)
                : SDL_AudioStreamPut(player.stream, source,
                                     static_cast<int>(frames * f.blockAlign)) == 0;
      player.fed += frames * f.blockAlign;
    }
    if (!put) {  // the end (a trailing partial frame is dropped), or a conversion error
      player.fed = header->dwBufferLength;
      SDL_AudioStreamFlush(player.stream);
      player.flushed = true;
    }
  }
}

void MixVoice(Mixer& mixer, Voice& voice, float* out, int frames, std::vector<Notice>& notices) {
  const int wanted = frames * kOutputFrameBytes;
  auto* converted = reinterpret_cast<char*>(mixer.scratch.data());
  int got = 0;
  FollowFront(voice);
  if (PlayerOf(voice).firstPass == 0) PlayerOf(voice).firstPass = mixer.passes + 1;
  while (got < wanted && !voice.queue.empty()) {
    Player& player = PlayerOf(voice);
    Feed(voice, wanted - got);
    const int n = SDL_AudioStreamGet(player.stream, converted + got, wanted - got);
    if (n > 0) got += n;
    if (player.flushed && SDL_AudioStreamAvailable(player.stream) == 0) {
      wave_voices::FinishFront(voice, notices);
      FollowFront(voice);
    } else if (n <= 0) {
      break;
    }
  }
  const int samples = got / static_cast<int>(sizeof(float));
  for (int i = 0; i < samples; ++i) out[i] += mixer.scratch[i];
}

// Clips to [-1, 1]; a NaN from a damaged float file becomes silence, not noise.
float Clip(float sample) {
  if (sample > 1.0f) return 1.0f;
  if (sample < -1.0f) return -1.0f;
  return sample == sample ? sample : 0.0f;
}

bool DevicePlays() {
  return !wave_out_sdl::Failed();
}

void ReleaseDeviceIfUnused() {
  // Outside the lock: closing waits for the audio thread.
  if (!wave_voices::AnyOf(WaveOutBackend::Device)) wave_out_sdl::Release();
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
  const bool test = backend == WaveOutBackend::Test;
  if (!test && !wave_out_sdl::Acquire()) return MMSYSERR_NODRIVER;
  std::shared_ptr<Player> player = MakePlayer(sample);
  if (!player) {
    if (!test) ReleaseDeviceIfUnused();
    return MMSYSERR_NOMEM;
  }
  *device = wave_voices::Add(backend, sample, callback, flags, std::move(player));
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
  if (wave_voices::Close(device, result) == WaveOutBackend::Device) ReleaseDeviceIfUnused();
  return result;
}

void SelectWaveOutBackend(WaveOutBackend backend) {
  wave_voices::SetBackend(backend);
  // Outside the lock: it waits for an opener, which may finish buffers under the lock.
  if (backend == WaveOutBackend::Device) wave_out_sdl::ForgetFailure();
}

WaveOutBackend CurrentWaveOutBackend() {
  return wave_voices::Backend();
}

namespace wave_out_mixer {

void Mix(WaveOutBackend backend, float* out, int frames) {
  Mixer& mixer = TheMixer();
  std::vector<Notice> notices;
  {
    std::lock_guard guard(wave_voices::Lock());
    const std::size_t samples = static_cast<std::size_t>(frames) * kOutputChannels;
    std::fill(out, out + samples, 0.0f);
    if (mixer.stopped) return;
    if (mixer.scratch.size() < samples) mixer.scratch.resize(samples);
    for (auto& voice : wave_voices::All()) {
      if (voice->backend == backend && !voice->queue.empty()) {
        MixVoice(mixer, *voice, out, frames, notices);
      }
    }
    for (std::size_t i = 0; i < samples; ++i) out[i] = Clip(out[i]);
    ++mixer.passes;
  }
  wave_voices::Post(notices);
}

void StopReading() {
  std::lock_guard guard(wave_voices::Lock());
  TheMixer().stopped = true;
}

std::uint64_t FirstMixPass(HWAVEOUT device) {
  std::lock_guard guard(wave_voices::Lock());
  Voice* voice = wave_voices::Find(device);
  if (!voice) return 0;
  const Player& player = PlayerOf(*voice);
  return player.finished == voice->finished ? player.firstPass : 0;
}

std::uint64_t MixPasses() {
  std::lock_guard guard(wave_voices::Lock());
  return TheMixer().passes;
}

}  // namespace wave_out_mixer

namespace wave_test {

void Mix(float* out, int frames) {
  wave_out_mixer::Mix(WaveOutBackend::Test, out, frames);
}

}  // namespace wave_test
}  // namespace platform

// SPDX-License-Identifier: MIT
#include "platform/winmm/wave_out_mixer.h"

#include <algorithm>
#include <atomic>
#include <vector>

#include "platform/winmm/wave_out_test.h"

namespace platform::wave_out_mixer {
namespace {

using wave_voices::Notice;
using wave_voices::Voice;
using wave_voices::WaveOutBackend;

// What the mixer keeps for a voice: where it is in the first queued buffer, and the
// converted rest of buffers already given back, still to be heard.
struct Player {
  explicit Player(const wave_convert::SampleFormat& format)
      : resampler(format.rate, kOutputRate), gains(wave_convert::GainsFor(format)) {}
  wave_convert::Resampler resampler;
  wave_convert::ChannelGains gains;
  std::uint64_t finished = 0;   // the voice's count of finished buffers this belongs to
  std::uint64_t resets = 0;     // the voice's count of resets this has seen
  std::uint64_t produced = 0;   // output frames of the first queued buffer mixed so far
  std::uint64_t firstPass = 0;  // the mixer pass that first took from it
  std::vector<float> rest;      // stereo frames
  std::size_t restAt = 0;       // floats of rest already mixed
};

// The rest of a closed voice, still to be heard.
struct Rest {
  WaveOutBackend backend;
  std::shared_ptr<void> player;
};

struct Mixer {
  std::vector<float> decoded, converted;  // one voice's input frames and output frames
  std::vector<Rest> rests;
  std::uint64_t passes = 0;
  bool stopped = false;  // StopReading
};

// Under the voices' lock, like the voices themselves.
Mixer& TheMixer() {
  static Mixer* mixer = new Mixer;
  return *mixer;
}

Player& PlayerOf(Voice& voice) {
  return *static_cast<Player*>(voice.player.get());
}

// The voice has changed since the player last looked: a new first buffer starts from its
// beginning, and a reset silences the rest.
void Follow(Voice& voice) {
  Player& player = PlayerOf(voice);
  if (player.resets != voice.resets) {
    player.resets = voice.resets;
    player.rest.clear();
    player.restAt = 0;
  }
  if (player.finished == voice.finished) return;
  player.finished = voice.finished;
  player.produced = 0;
  player.firstPass = 0;
}

std::uint64_t FramesOf(const Voice& voice, const WAVEHDR& header) {
  return header.dwBufferLength / static_cast<std::uint32_t>(voice.format.blockAlign);
}

// Converts output frames [produced, produced + count) of the first buffer into
// mixer.converted.
void Convert(Mixer& mixer, Voice& voice, int count) {
  Player& player = PlayerOf(voice);
  const WAVEHDR& header = *voice.queue.front();
  const auto span = player.resampler.InputSpan(player.produced, count, FramesOf(voice, header));
  const std::size_t frames = span.to - span.from;
  mixer.decoded.resize(2 * frames);
  mixer.converted.resize(2 * static_cast<std::size_t>(count));
  wave_convert::Decode(voice.format, player.gains,
                       header.lpData + span.from * voice.format.blockAlign, frames,
                       mixer.decoded.data());
  player.resampler.Render(player.produced, count, span, mixer.decoded.data(),
                          mixer.converted.data());
  player.produced += static_cast<std::uint64_t>(count);
}

void Finish(Voice& voice, std::vector<Notice>& notices) {
  wave_voices::FinishFront(voice, notices);
  Follow(voice);
}

// Mixes what is left of buffers given back; the frames of out it filled.
int MixRest(Player& player, float* out, int frames) {
  const std::size_t left = player.rest.size() - player.restAt;
  const auto take = static_cast<int>(std::min<std::size_t>(left / 2, std::size_t(frames)));
  for (int i = 0; i < 2 * take; ++i) out[i] += player.rest[player.restAt + std::size_t(i)];
  player.restAt += 2 * static_cast<std::size_t>(take);
  if (player.restAt == player.rest.size()) player.rest.clear(), player.restAt = 0;
  return take;
}

// Near its end, the first buffer's rest goes into the player and the buffer is given back.
void TakeRestEarly(Mixer& mixer, Voice& voice, std::vector<Notice>& notices) {
  if (voice.queue.empty()) return;
  Player& player = PlayerOf(voice);
  const std::uint64_t total = player.resampler.OutputFrames(FramesOf(voice, *voice.queue.front()));
  const std::uint64_t left = total - player.produced;
  if (left > kLeadFrames) return;
  Convert(mixer, voice, static_cast<int>(left));
  player.rest.erase(player.rest.begin(),
                    player.rest.begin() + static_cast<std::ptrdiff_t>(player.restAt));
  player.restAt = 0;
  player.rest.insert(player.rest.end(), mixer.converted.begin(), mixer.converted.end());
  Finish(voice, notices);
}

void MixVoice(Mixer& mixer, Voice& voice, float* out, int frames, std::vector<Notice>& notices) {
  Follow(voice);
  Player& player = PlayerOf(voice);
  int done = MixRest(player, out, frames);
  while (done < frames && !voice.queue.empty()) {
    if (player.firstPass == 0) player.firstPass = mixer.passes + 1;
    const std::uint64_t total =
        player.resampler.OutputFrames(FramesOf(voice, *voice.queue.front()));
    const auto count = static_cast<int>(
        std::min<std::uint64_t>(total - player.produced, std::uint64_t(frames - done)));
    Convert(mixer, voice, count);
    float* at = out + 2 * done;
    for (int i = 0; i < 2 * count; ++i) at[i] += mixer.converted[std::size_t(i)];
    done += count;
    if (player.produced == total) Finish(voice, notices);
  }
  TakeRestEarly(mixer, voice, notices);
}

// Clips to [-1, 1]; a NaN from a damaged float file becomes silence, not noise.
float Clip(float sample) {
  if (sample > 1.0f) return 1.0f;
  if (sample < -1.0f) return -1.0f;
  return sample == sample ? sample : 0.0f;
}

}  // namespace

void Mix(WaveOutBackend backend, float* out, int frames) {
  Mixer& mixer = TheMixer();
  std::vector<Notice> notices;
  {
    std::lock_guard guard(wave_voices::Lock());
    const std::size_t samples = static_cast<std::size_t>(frames) * kOutputChannels;
    std::fill(out, out + samples, 0.0f);
    if (mixer.stopped) return;
    for (auto& voice : wave_voices::All()) {
      if (voice->backend == backend) MixVoice(mixer, *voice, out, frames, notices);
    }
    for (Rest& rest : mixer.rests) {
      if (rest.backend == backend) MixRest(*static_cast<Player*>(rest.player.get()), out, frames);
    }
    std::erase_if(mixer.rests, [](const Rest& rest) {
      return static_cast<const Player*>(rest.player.get())->rest.empty();
    });
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

std::shared_ptr<void> NewPlayer(const wave_convert::SampleFormat& format) {
  return std::make_shared<Player>(format);
}

void KeepRest(const Voice& voice) {
  const auto* player = static_cast<const Player*>(voice.player.get());
  if (player && player->resets == voice.resets && !player->rest.empty()) {
    TheMixer().rests.push_back({voice.backend, voice.player});
  }
}

void DropRests(WaveOutBackend backend) {
  std::erase_if(TheMixer().rests, [backend](const Rest& rest) { return rest.backend == backend; });
}

}  // namespace platform::wave_out_mixer

namespace platform::detail {
namespace {

std::atomic<AudioDevice*> audioDevice{nullptr};

}  // namespace

void UseAudioDevice(AudioDevice* device) {
  audioDevice = device;
  wave_voices::SetBackend(device ? wave_voices::WaveOutBackend::Device
                                 : wave_voices::WaveOutBackend::Test);
  if (device) device->Chosen();
}

AudioDevice* CurrentAudioDevice() {
  return audioDevice;
}

void MixDeviceVoices(float* out, int frames) {
  wave_out_mixer::Mix(wave_voices::WaveOutBackend::Device, out, frames);
}

void FailDeviceBuffers() {
  wave_voices::FinishEveryBuffer(wave_voices::WaveOutBackend::Device);
}

}  // namespace platform::detail

namespace platform::wave_test {

void Mix(float* out, int frames) {
  wave_out_mixer::Mix(wave_voices::WaveOutBackend::Test, out, frames);
}

}  // namespace platform::wave_test

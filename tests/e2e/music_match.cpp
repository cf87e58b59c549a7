// SPDX-License-Identifier: MIT
// Finds a piece of music in a capture of the sound output: two stretches of the capture,
// one near its start and one near its end, must each match the music at some offset (a
// correlation near 1, the same level) and the two offsets must be as far apart as the
// stretches. Noise, silence, a wrong sound or music that skips all fail.
// Usage: e2e_music_match CAPTURE MUSIC.wav
//   CAPTURE: raw stereo 32-bit float samples at 44.1 kHz (SDL's disk audio output);
//   MUSIC.wav: 16-bit PCM at 44.1 kHz, any number of channels (the first one is used).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/wave_file.h"

namespace {

constexpr int kWindow = 8192;  // samples per compared stretch (0.19 s)
constexpr int kStride = 8;     // the coarse search compares every 8th sample

std::string ReadAll(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The first channel of a 16-bit PCM WAV file at 44.1 kHz, scaled to [-1, 1), read with
// the game's own loader.
bool ReadMusic(const char* path, std::vector<float>& out) {
  audio::WaveFile wave;
  wave.file = platform::mmioOpenA(path, nullptr, platform::MMIO_ALLOCBUF);
  std::vector<char> bytes;
  const bool read = wave.file && audio::FindWaveChunks(wave).empty() &&
                    audio::ReadWaveSamples(wave, bytes).empty();
  if (wave.file) platform::mmioClose(wave.file, 0);
  const auto& format = wave.format.Format;
  if (!read || format.wBitsPerSample != 16 || format.nSamplesPerSec != 44100) return false;
  const std::size_t frame = 2u * format.nChannels;
  for (std::size_t at = 0; at + frame <= bytes.size(); at += frame) {
    std::int16_t sample;
    std::memcpy(&sample, &bytes[at], 2);
    out.push_back(sample / 32768.0f);
  }
  return !out.empty();
}

double Dot(const float* a, const float* b, int n, int step = 1) {
  double sum = 0;
  for (int i = 0; i < n; i += step) sum += double(a[i]) * b[i];
  return sum;
}

struct Match {
  long offset = -1;
  double correlation = 0, levelDb = 0;
};

// Where in the music the window matches best: a coarse pass over every offset with every
// kStride-th sample, then the full correlation around the best one. Both passes divide by
// the music's energy, or the loudest passage would win.
Match FindInMusic(const float* window, const std::vector<float>& music) {
  const long last = static_cast<long>(music.size()) - kWindow;
  // energy[j]: the sum of music[j]^2, music[j - kStride]^2 ... down to the start.
  std::vector<double> energy(music.size());
  for (std::size_t j = 0; j < music.size(); ++j)
    energy[j] = double(music[j]) * music[j] + (j >= kStride ? energy[j - kStride] : 0);
  double bestCoarse = -1;
  long coarse = 0;
  for (long at = 0; at <= last; ++at) {
    const double e = energy[at + kWindow - kStride] - (at >= kStride ? energy[at - kStride] : 0);
    const double d = Dot(window, &music[at], kWindow, kStride);
    if (e > 0 && d / std::sqrt(e) > bestCoarse) bestCoarse = d / std::sqrt(e), coarse = at;
  }
  Match best;
  const double ww = Dot(window, window, kWindow);
  for (long at = std::max(0L, coarse - kStride); at <= std::min(last, coarse + kStride); ++at) {
    const double mm = Dot(&music[at], &music[at], kWindow);
    if (ww <= 0 || mm <= 0) continue;
    const double r = Dot(window, &music[at], kWindow) / std::sqrt(ww * mm);
    if (r > best.correlation) best = {at, r, 10 * std::log10(ww / mm)};
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s CAPTURE MUSIC.wav\n", argv[0]);
    return 2;
  }
  const std::string raw = ReadAll(argv[1]);
  std::vector<float> capture(raw.size() / 8);  // the left channel of each stereo frame
  for (std::size_t i = 0; i < capture.size(); ++i) std::memcpy(&capture[i], &raw[8 * i], 4);
  std::vector<float> music;
  if (!ReadMusic(argv[2], music) || music.size() < kWindow) {
    std::fprintf(stderr, "%s: not a 16-bit 44.1 kHz WAV file with sound\n", argv[2]);
    return 2;
  }
  if (capture.size() < 3 * kWindow) {
    std::fprintf(stderr, "the capture holds only %zu frames\n", capture.size());
    return 1;
  }
  const long early = kWindow / 2, late = static_cast<long>(capture.size()) - 3 * kWindow / 2;
  const Match a = FindInMusic(&capture[early], music), b = FindInMusic(&capture[late], music);
  bool ok = true;
  for (const Match& m : {a, b}) {
    std::printf("music at %.3f s: correlation %.4f, level %+.2f dB\n", m.offset / 44100.0,
                m.correlation, m.levelDb);
    ok = ok && m.correlation > 0.95 && std::fabs(m.levelDb) < 1.0;
  }
  const long drift = (b.offset - a.offset) - (late - early);
  std::printf("the two stretches are %ld samples further apart in the music than in the capture\n",
              drift);
  return ok && std::labs(drift) <= 2 ? 0 : 1;
}

// SPDX-License-Identifier: MIT
// What the mixer makes of a voice's samples: the formats it plays, their decoding to
// stereo float, and the change of rate to the mixer's own. No device and no lock here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/winmm/wave_out.h"

namespace platform::wave_convert {

// What a voice's buffers hold: samples of one of these encodings, 24-bit ones packed in
// three bytes, A-law and mu-law in one byte each.
enum class Encoding { U8, S16, S24, S32, F32, ALaw, MuLaw };

struct SampleFormat {
  Encoding encoding;
  int channels;
  int rate;
  int blockAlign;
  std::uint32_t channelMask;  // the speakers of the channels, in order
};

constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;
constexpr int kMaxChannels = 32;

// The format a device plays, or nothing when it plays none of it.
std::optional<SampleFormat> ReadFormat(const WAVEFORMATEX* format);

// How much of each channel goes to the left and to the right output: a mono channel to
// both, more channels than two folded in by their speakers' places.
struct ChannelGains {
  std::vector<float> left, right;
};
ChannelGains GainsFor(const SampleFormat& format);

// Decodes frames whole frames into stereo pairs.
void Decode(const SampleFormat& format, const ChannelGains& gains, const char* source,
            std::size_t frames, float* stereo);

// Changes the rate of a stream of stereo frames with a Kaiser-windowed sinc filter; equal
// rates pass through untouched. Frames before the first and after the last are silence.
class Resampler {
 public:
  Resampler(int inRate, int outRate);
  // How many output frames a stream of inFrames frames gives.
  std::uint64_t OutputFrames(std::uint64_t inFrames) const;
  // The input frames [from, to) that output frames [first, first + count) are made of,
  // within a stream of inFrames frames.
  struct Span {
    std::uint64_t from, to;
  };
  Span InputSpan(std::uint64_t first, int count, std::uint64_t inFrames) const;
  // Writes those output frames from the input frames of the span, decoded in order.
  void Render(std::uint64_t first, int count, const Span& span, const float* input,
              float* out) const;

 private:
  float Kernel(float tableDistance) const;
  int inRate_, outRate_;
  double cutoff_;  // of the input's band: 1 when the rate goes up, lower when it goes down
  int reach_;      // input frames on each side of an output frame that it is made of
  std::vector<float> table_;
};

}  // namespace platform::wave_convert

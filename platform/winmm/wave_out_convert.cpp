// SPDX-License-Identifier: MIT
#include "platform/winmm/wave_out_convert.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace platform::wave_convert {
namespace {

constexpr std::uint16_t kALawTag = 6;
constexpr std::uint16_t kMuLawTag = 7;

// The filter: 16 zero crossings wide, each sampled 256 times, with a Kaiser window whose
// side lobes lie some 70 dB down.
constexpr int kZeroCrossings = 8;  // on each side
constexpr int kSteps = 256;
constexpr double kKaiserBeta = 7.0;
// Going down in rate, the band is cut a little below the new Nyquist frequency, so that
// the filter's slope folds nothing back into the band.
constexpr double kDownCutoff = 0.95;

bool IsStandardSubFormat(const GUID& guid) {
  static constexpr std::uint8_t kTail[8] = {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};
  return guid.Data2 == 0x0000 && guid.Data3 == 0x0010 &&
         std::memcmp(guid.Data4, kTail, sizeof kTail) == 0;
}

std::optional<Encoding> EncodingOf(std::uint32_t tag, int bits) {
  if (tag == WAVE_FORMAT_PCM && bits == 8) return Encoding::U8;
  if (tag == WAVE_FORMAT_PCM && bits == 16) return Encoding::S16;
  if (tag == WAVE_FORMAT_PCM && bits == 24) return Encoding::S24;
  if (tag == WAVE_FORMAT_PCM && bits == 32) return Encoding::S32;
  if (tag == WAVE_FORMAT_IEEE_FLOAT && bits == 32) return Encoding::F32;
  if (tag == kALawTag && bits == 8) return Encoding::ALaw;
  if (tag == kMuLawTag && bits == 8) return Encoding::MuLaw;
  return std::nullopt;
}

// The usual speakers of a file that names none.
std::uint32_t DefaultMask(int channels) {
  static constexpr std::uint32_t kMasks[] = {0, 0x4, 0x3, 0x7, 0x33, 0x37, 0x3F, 0x13F, 0x63F};
  return kMasks[std::min(channels, 8)];
}

// Where a speaker (a bit of a channel mask) stands: -1 left, 1 right, 0 in the middle, 2
// for the low-frequency channel, which two small speakers do without.
int SideOf(int bit) {
  constexpr std::uint32_t kLeft = 0x9251;    // front, back, front-of-centre, side, top left
  constexpr std::uint32_t kRight = 0x244A2;  // and their right-hand twins
  constexpr std::uint32_t kLowFrequency = 0x8;
  const std::uint32_t speaker = bit < 32 ? 1u << bit : 0;
  if (speaker & kLeft) return -1;
  if (speaker & kRight) return 1;
  return speaker & kLowFrequency ? 2 : 0;
}

float FromALaw(std::uint8_t code) {
  code ^= 0x55;
  int value = (code & 0x0F) << 4;
  const int segment = (code & 0x70) >> 4;
  value += segment == 0 ? 8 : 0x108;
  if (segment > 1) value <<= segment - 1;
  return static_cast<float>((code & 0x80) ? value : -value) / 32768.0f;
}

float FromMuLaw(std::uint8_t code) {
  code = static_cast<std::uint8_t>(~code);
  int value = (((code & 0x0F) << 3) + 0x84) << ((code & 0x70) >> 4);
  value -= 0x84;
  return static_cast<float>((code & 0x80) ? -value : value) / 32768.0f;
}

float SampleAt(Encoding encoding, const unsigned char* p) {
  switch (encoding) {
    case Encoding::U8:
      return (p[0] - 128) / 128.0f;
    case Encoding::S16:
      return static_cast<std::int16_t>(p[0] | p[1] << 8) / 32768.0f;
    case Encoding::S24:
      return static_cast<float>(static_cast<std::int32_t>(std::uint32_t{p[0]} << 8 |
                                                          std::uint32_t{p[1]} << 16 |
                                                          std::uint32_t{p[2]} << 24)) /
             2147483648.0f;
    case Encoding::S32: {
      std::int32_t v;
      std::memcpy(&v, p, 4);
      return static_cast<float>(v) / 2147483648.0f;
    }
    case Encoding::F32: {
      float v;
      std::memcpy(&v, p, 4);
      return v;
    }
    case Encoding::ALaw:
      return FromALaw(p[0]);
    case Encoding::MuLaw:
      return FromMuLaw(p[0]);
  }
  return 0;
}

int BytesOf(Encoding encoding) {
  switch (encoding) {
    case Encoding::S16:
      return 2;
    case Encoding::S24:
      return 3;
    case Encoding::S32:
    case Encoding::F32:
      return 4;
    default:
      return 1;
  }
}

double BesselI0(double x) {
  double sum = 1, term = 1;
  for (int k = 1; k < 30; ++k) {
    term *= (x / (2 * k)) * (x / (2 * k));
    sum += term;
  }
  return sum;
}

}  // namespace

std::optional<SampleFormat> ReadFormat(const WAVEFORMATEX* format) {
  if (!format) return std::nullopt;
  std::uint32_t tag = format->wFormatTag, mask = 0;
  if (tag == WAVE_FORMAT_EXTENSIBLE) {
    if (format->cbSize < 22) return std::nullopt;
    WAVEFORMATEXTENSIBLE extensible;
    std::memcpy(&extensible, format, sizeof extensible);
    if (!IsStandardSubFormat(extensible.SubFormat)) return std::nullopt;
    tag = extensible.SubFormat.Data1;
    mask = extensible.dwChannelMask;
  }
  const int channels = format->nChannels, bits = format->wBitsPerSample;
  const std::uint32_t rate = format->nSamplesPerSec;
  if (channels < 1 || channels > kMaxChannels || rate < kMinRate || rate > kMaxRate) {
    return std::nullopt;
  }
  if (format->nBlockAlign != channels * bits / 8) return std::nullopt;
  const std::optional<Encoding> encoding = EncodingOf(tag, bits);
  if (!encoding) return std::nullopt;
  // A mask that names fewer speakers than there are channels is not believed.
  if (std::popcount(mask) < std::min(channels, 18)) mask = DefaultMask(channels);
  return SampleFormat{*encoding, channels, static_cast<int>(rate), format->nBlockAlign, mask};
}

ChannelGains GainsFor(const SampleFormat& format) {
  const auto n = static_cast<std::size_t>(format.channels);
  ChannelGains gains{std::vector<float>(n), std::vector<float>(n)};
  if (n <= 2) {
    gains.left[0] = 1, gains.right[n - 1] = 1;
    return gains;
  }
  // The channels take the mask's speakers in order; any beyond them sit in the middle.
  std::uint32_t mask = format.channelMask;
  double leftSum = 0, rightSum = 0;
  for (std::size_t c = 0; c < n; ++c) {
    const int side = mask ? SideOf(std::countr_zero(mask)) : 0;
    const bool front = mask & 0x3;  // the front pair: whole, the others folded in lower
    mask &= mask - 1;
    const float level = front ? 1.0f : static_cast<float>(std::sqrt(0.5));
    gains.left[c] = side == -1 || side == 0 ? level : 0.0f;
    gains.right[c] = side == 1 || side == 0 ? level : 0.0f;
    leftSum += gains.left[c], rightSum += gains.right[c];
  }
  // Everything at full scale at once still does not clip.
  for (std::size_t c = 0; c < n; ++c) {
    gains.left[c] = static_cast<float>(gains.left[c] / std::max(leftSum, 1.0));
    gains.right[c] = static_cast<float>(gains.right[c] / std::max(rightSum, 1.0));
  }
  return gains;
}

void Decode(const SampleFormat& format, const ChannelGains& gains, const char* source,
            std::size_t frames, float* stereo) {
  const auto* p = reinterpret_cast<const unsigned char*>(source);
  const int width = BytesOf(format.encoding);
  for (std::size_t f = 0; f < frames; ++f, p += format.blockAlign, stereo += 2) {
    if (format.channels <= 2) {
      stereo[0] = SampleAt(format.encoding, p);
      stereo[1] = format.channels == 2 ? SampleAt(format.encoding, p + width) : stereo[0];
      continue;
    }
    float left = 0, right = 0;
    for (int c = 0; c < format.channels; ++c) {
      const float v = SampleAt(format.encoding, p + c * width);
      left += gains.left[c] * v;
      right += gains.right[c] * v;
    }
    stereo[0] = left, stereo[1] = right;
  }
}

Resampler::Resampler(int inRate, int outRate)
    : inRate_(inRate),
      outRate_(outRate),
      cutoff_(inRate > outRate ? kDownCutoff * outRate / inRate : 1.0),
      reach_(static_cast<int>(std::ceil(kZeroCrossings / cutoff_))) {
  if (inRate_ == outRate_) return;
  table_.resize(kZeroCrossings * kSteps + 2);
  const double pi = std::acos(-1.0), norm = BesselI0(kKaiserBeta);
  for (std::size_t i = 0; i < table_.size(); ++i) {
    const double t = double(i) / kSteps, edge = t / kZeroCrossings;
    const double sinc = i == 0 ? 1.0 : std::sin(pi * t) / (pi * t);
    const double window = edge >= 1 ? 0 : BesselI0(kKaiserBeta * std::sqrt(1 - edge * edge)) / norm;
    table_[i] = static_cast<float>(cutoff_ * sinc * window);  // the gain of a lower band
  }
}

std::uint64_t Resampler::OutputFrames(std::uint64_t inFrames) const {
  const auto in = static_cast<std::uint64_t>(inRate_), out = static_cast<std::uint64_t>(outRate_);
  return (inFrames * out + in - 1) / in;
}

Resampler::Span Resampler::InputSpan(std::uint64_t first, int count, std::uint64_t inFrames) const {
  if (inRate_ == outRate_) {
    return {std::min(first, inFrames),
            std::min(first + static_cast<std::uint64_t>(count), inFrames)};
  }
  const auto in = static_cast<std::uint64_t>(inRate_), out = static_cast<std::uint64_t>(outRate_);
  const std::uint64_t low = first * in / out;
  const std::uint64_t high =
      (first + static_cast<std::uint64_t>(std::max(count, 1)) - 1) * in / out;
  const auto reach = static_cast<std::uint64_t>(reach_);
  return {std::min(low + 1 > reach ? low + 1 - reach : 0, inFrames),
          std::min(high + reach + 1, inFrames)};
}

float Resampler::Kernel(float t) const {
  if (t >= kZeroCrossings * kSteps) return 0;
  const auto i = static_cast<std::size_t>(t);
  const float part = t - static_cast<float>(i);
  return table_[i] + part * (table_[i + 1] - table_[i]);
}

void Resampler::Render(std::uint64_t first, int count, const Span& span, const float* input,
                       float* out) const {
  if (inRate_ == outRate_) {
    const auto have = static_cast<int>(span.to - span.from);
    std::copy(input, input + 2 * have, out);
    std::fill(out + 2 * have, out + 2 * count, 0.0f);
    return;
  }
  const auto in = static_cast<std::uint64_t>(inRate_), out64 = static_cast<std::uint64_t>(outRate_);
  const auto reach = static_cast<std::int64_t>(reach_), base = static_cast<std::int64_t>(span.from);
  const auto step = static_cast<float>(cutoff_ * kSteps);  // table steps per input frame
  for (int k = 0; k < count; ++k, out += 2) {
    // The output frame's place in the input, exact as a fraction.
    const std::uint64_t scaled = (first + static_cast<std::uint64_t>(k)) * in;
    const auto whole = static_cast<std::int64_t>(scaled / out64);
    const auto part = static_cast<float>(double(scaled % out64) / double(out64));
    const std::int64_t from = std::max(whole - reach + 1, base);
    const std::int64_t to = std::min(whole + reach, static_cast<std::int64_t>(span.to) - 1);
    float left = 0, right = 0;
    // The kernel is even: its distance falls up to the frame at or before the place, and
    // rises after it.
    float t = (static_cast<float>(whole - from) + part) * step;
    for (std::int64_t i = from; i <= to; ++i) {
      const float weight = Kernel(std::fabs(t));
      const float* pair = input + 2 * (i - base);
      left += weight * pair[0];
      right += weight * pair[1];
      t -= step;
    }
    out[0] = left, out[1] = right;
  }
}

}  // namespace platform::wave_convert

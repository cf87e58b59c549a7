// SPDX-License-Identifier: MIT
#include "tools/synth.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <stdexcept>

namespace snd {

double Noise::next() {
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  const std::uint64_t r = state_ * 0x2545F4914F6CDD1DULL;
  return double(r >> 11) / double(1ULL << 52) - 1.0;
}

double Adsr(double t, double attack, double decay, double sustain, double held, double release) {
  if (t < 0) return 0;
  auto level = [&](double u) {
    if (u < attack) return u / attack;
    if (u < attack + decay) return 1 - (1 - sustain) * (u - attack) / decay;
    return sustain;
  };
  if (t < held) return level(t);
  const double r = (t - held) / release;
  return r >= 1 ? 0 : level(held) * (1 - r) * (1 - r);
}

double BandPass::process(double in, double centreHz, double q) {
  const double f = 2 * std::sin(std::numbers::pi * std::min(centreHz, kRate / 6.0) / kRate);
  const double high = in - low_ - band_ / q;
  band_ += f * high;
  low_ += f * band_;
  return band_;
}

double NoteHz(int midi) {
  return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

void Mix(Samples& into, const Samples& voice, double start, bool wrap) {
  const auto n = static_cast<long>(into.size());
  const long first = std::lround(start * kRate);
  for (std::size_t i = 0; i < voice.size(); ++i) {
    long at = first + static_cast<long>(i);
    if (wrap) at %= n;
    if (at >= 0 && at < n) into[static_cast<std::size_t>(at)] += voice[i];
  }
}

void RemoveDc(Samples& s) {
  double mean = 0;
  for (double v : s) mean += v;
  mean /= double(s.size());
  for (double& v : s) v -= mean;
}

void NormalisePeak(Samples& s, double peakDbfs) {
  double peak = 0;
  for (double v : s) peak = std::max(peak, std::fabs(v));
  const double gain = std::pow(10.0, peakDbfs / 20) / peak;
  for (double& v : s) v *= gain;
}

void FadeEnds(Samples& s, double fadeInSeconds, double fadeOutSeconds) {
  const auto in = static_cast<std::size_t>(fadeInSeconds * kRate);
  const auto out = static_cast<std::size_t>(fadeOutSeconds * kRate);
  for (std::size_t i = 0; i < in && i < s.size(); ++i) s[i] *= double(i) / double(in);
  for (std::size_t i = 0; i < out && i < s.size(); ++i)
    s[s.size() - 1 - i] *= double(i) / double(out);
}

namespace {
std::int16_t ToPcm(double v) {
  return static_cast<std::int16_t>(std::clamp(std::lround(v * 32767.0), -32767L, 32767L));
}
double Db(double v) {
  return v > 0 ? 20 * std::log10(v) : -200;
}
}  // namespace

Figures Measure(const Samples& s) {
  double peak = 0, sum2 = 0, sum = 0, step = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double v = ToPcm(s[i]) / 32768.0;
    peak = std::max(peak, std::fabs(v));
    sum2 += v * v;
    sum += v;
    if (i > 0) step = std::max(step, std::fabs(v - ToPcm(s[i - 1]) / 32768.0));
  }
  const double n = double(s.size());
  const double seam = std::fabs(ToPcm(s.back()) - ToPcm(s.front())) / 32768.0;
  return {n / kRate, Db(peak), Db(std::sqrt(sum2 / n)), sum / n, seam, step};
}

void WriteWav(const Samples& s, const std::string& path) {
  std::ofstream f(path, std::ios::binary);
  if (!f) throw std::runtime_error("cannot write " + path);
  auto u32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) f.put(char((v >> (8 * i)) & 0xFF));
  };
  auto u16 = [&](std::uint16_t v) {
    f.put(char(v & 0xFF));
    f.put(char(v >> 8));
  };
  const auto dataBytes = static_cast<std::uint32_t>(s.size() * 2);
  f.write("RIFF", 4);
  u32(36 + dataBytes);
  f.write("WAVEfmt ", 8);
  u32(16);
  u16(1);  // PCM
  u16(1);  // mono
  u32(kRate);
  u32(kRate * 2);
  u16(2);
  u16(16);
  f.write("data", 4);
  u32(dataBytes);
  for (double v : s) u16(static_cast<std::uint16_t>(ToPcm(v)));
  if (!f) throw std::runtime_error("cannot write " + path);
}

}  // namespace snd

// SPDX-License-Identifier: MIT
// Small synthesis kit for the game's sounds: a seeded noise source, envelopes, a
// resonant filter, and the finishing steps every sound goes through.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace snd {

inline constexpr int kRate = 44100;
using Samples = std::vector<double>;

// xorshift64*: the same noise on every build.
class Noise {
 public:
  explicit Noise(std::uint64_t seed) : state_(seed) {}
  double next();  // uniform in -1..1
 private:
  std::uint64_t state_;
};

// Attack-decay-sustain-release shape, times in seconds; `held` is the note's length before
// its release begins.
double Adsr(double t, double attack, double decay, double sustain, double held, double release);

// Two-pole resonator (state variable filter) band output; change the centre per sample.
class BandPass {
 public:
  double process(double in, double centreHz, double q);

 private:
  double low_ = 0, band_ = 0;
};

double NoteHz(int midi);  // A4 = 69 = 440 Hz

// Adds `voice` starting at `start` seconds; with wrap the tail past the end re-enters at the
// start (for loops).
void Mix(Samples& into, const Samples& voice, double start, bool wrap = false);

void RemoveDc(Samples& s);
void NormalisePeak(Samples& s, double peakDbfs);
void FadeEnds(Samples& s, double fadeInSeconds, double fadeOutSeconds);

struct Figures {
  double seconds, peakDbfs, rmsDbfs, dc, seamJump, largestStep;
};
Figures Measure(const Samples& s);

// 16-bit PCM mono RIFF WAVE; throws on failure.
void WriteWav(const Samples& s, const std::string& path);

}  // namespace snd

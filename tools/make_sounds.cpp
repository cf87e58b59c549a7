// SPDX-License-Identifier: MIT
// Build step: synthesises the game's five sounds into the program folder's Sound/ and
// prints each one's figures (length, levels, DC, loop seam) for review.
//   zt_make_sounds <Sound dir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <numbers>
#include <string>
#include <vector>

#include "tools/synth.h"

namespace snd {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

struct Partial {
  double ratio, amp, decaySeconds;
};

// A struck bell or glass: inharmonic partials, each decaying on its own. The last quarter
// fades to silence, so cutting the ring short never clicks.
Samples Strike(double hz, const std::vector<Partial>& partials, double seconds, double gain) {
  Samples out(static_cast<std::size_t>(seconds * kRate));
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = double(i) / kRate, left = seconds - t;
    const double attack = t < 0.006 ? 0.5 - 0.5 * std::cos(std::numbers::pi * t / 0.006) : 1.0;
    const double tail = std::min(1.0, left / (seconds * 0.25));
    double v = 0;
    for (const Partial& p : partials)
      if (hz * p.ratio < 9000)  // higher partials only hiss
        v += p.amp * std::exp(-t / p.decaySeconds) * std::sin(kTwoPi * hz * p.ratio * t);
    out[i] = gain * attack * tail * tail * v;
  }
  return out;
}

// A soft sustained organ-like pad note: a few harmonics, doubled and slightly detuned.
Samples PadNote(double hz, double held, double gain) {
  const double attack = 1.4, release = 2.2;
  Samples out(static_cast<std::size_t>((held + release) * kRate));
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = double(i) / kRate;
    const double rise = t < attack ? 0.5 - 0.5 * std::cos(std::numbers::pi * t / attack) : 1.0;
    const double fall = t < held ? 1.0 : std::pow(1 - (t - held) / release, 2);
    double v = 0;
    for (int k = 1; k <= 6; ++k) {
      const double amp = 1.0 / std::pow(k, 1.7);
      v += amp *
           (std::sin(kTwoPi * hz * k * 1.0015 * t) + std::sin(kTwoPi * hz * k * 0.9985 * t + k));
    }
    out[i] = gain * rise * fall * v;
  }
  return out;
}

Samples BassNote(double hz, double held, double gain) {
  Samples out(static_cast<std::size_t>((held + 1.6) * kRate));
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = double(i) / kRate;
    const double env = Adsr(t, 0.35, 1.0, 0.7, held, 1.6);
    out[i] = gain * env *
             (std::sin(kTwoPi * hz * t) + 0.3 * std::sin(kTwoPi * 2 * hz * t) +
              0.08 * std::sin(kTwoPi * 3 * hz * t));
  }
  return out;
}

// Background music: eight slow bars of a I-vi-IV-V progression with pad, bass and a bell
// melody. Every note is mixed round the end of the buffer, so the tails of the last bar
// sound under the first and the loop has no seam.
Samples Music() {
  constexpr double kBar = 4.0;  // 60 beats a minute, four beats a bar
  constexpr int kBars = 8;
  Samples out(static_cast<std::size_t>(kBar * kBars * kRate), 0.0);
  const int chords[kBars][3] = {{55, 60, 64}, {57, 60, 64}, {57, 60, 65}, {55, 59, 62},
                                {55, 60, 64}, {55, 59, 64}, {57, 60, 65}, {55, 59, 62}};
  const int bass[kBars] = {48, 45, 41, 43, 48, 40, 41, 43};
  struct BellNote {
    int bar;
    double beat;
    int midi;
  };
  const BellNote melody[] = {{0, 0, 76}, {0, 2, 79}, {1, 0, 76}, {1, 2, 72},   {1, 3, 74},
                             {2, 0, 72}, {2, 2, 69}, {3, 0, 71}, {3, 2, 74},   {3, 3, 79},
                             {4, 0, 84}, {4, 2, 79}, {5, 0, 76}, {5, 1.5, 79}, {5, 2, 71},
                             {6, 0, 77}, {6, 2, 76}, {6, 3, 72}, {7, 0, 74},   {7, 2, 71}};
  const std::vector<Partial> bell = {
      {1, 1, 1.6}, {2, 0.25, 1.0}, {2.76, 0.3, 0.6}, {5.4, 0.1, 0.25}};
  for (int b = 0; b < kBars; ++b) {
    for (int note : chords[b]) Mix(out, PadNote(NoteHz(note), kBar, 0.09), b * kBar, true);
    Mix(out, BassNote(NoteHz(bass[b]), kBar - 0.2, 0.5), b * kBar, true);
  }
  for (const BellNote& n : melody)
    Mix(out, Strike(NoteHz(n.midi), bell, 4.0, 0.4), n.bar * kBar + n.beat, true);
  RemoveDc(out);
  NormalisePeak(out, -9);
  return out;
}

// A ring turning: noise through a resonant band that sweeps up and falls back.
Samples Whoosh() {
  const double seconds = 0.30;
  Samples out(static_cast<std::size_t>(seconds * kRate));
  Noise noise(0x5eed0001);
  // Each band is two resonators in a row, so the hiss above the band falls off steeply.
  BandPass high1, high2, low1, low2;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double u = double(i) / double(out.size());
    const double sweep = std::pow(std::sin(std::numbers::pi * std::pow(u, 0.8)), 1.5);
    const double centre = 300 + 1900 * sweep;
    const double env = std::pow(std::sin(std::numbers::pi * std::pow(u, 0.7)), 1.4);
    const double n = noise.next();
    const double airy = high2.process(high1.process(n, centre, 1.6), centre, 1.6);
    const double body = low2.process(low1.process(n, centre * 0.45, 1.1), centre * 0.45, 1.1);
    out[i] = env * (airy + 0.7 * body);
  }
  RemoveDc(out);
  NormalisePeak(out, -3);
  FadeEnds(out, 0.005, 0.010);
  return out;
}

// A scored line: two quick glass strikes, a fifth apart, ringing out.
Samples Chime() {
  const double seconds = 0.9;
  Samples out(static_cast<std::size_t>(seconds * kRate), 0.0);
  const std::vector<Partial> glass = {{1, 1, 0.32},
                                      {1.0023, 0.5, 0.32},
                                      {2.756, 0.45, 0.15},
                                      {5.404, 0.18, 0.07},
                                      {8.933, 0.06, 0.035}};
  Mix(out, Strike(NoteHz(88), glass, seconds, 1.0), 0);
  Mix(out, Strike(NoteHz(95), glass, seconds - 0.07, 0.75), 0.07);
  RemoveDc(out);
  NormalisePeak(out, -3);
  FadeEnds(out, 0.002, 0.08);
  return out;
}

struct Vowel {
  double f1, f2, f3;
};

// Voiced sound: harmonics of f0 shaped by three formant resonances.
double Voice(double f0, const Vowel& v, std::vector<double>& phases) {
  const double formants[3] = {v.f1, v.f2, v.f3}, widths[3] = {90, 110, 150},
               gains[3] = {1.0, 0.55, 0.2};
  double out = 0;
  for (std::size_t k = 1; k <= phases.size(); ++k) {
    const double f = f0 * double(k);
    const double rolloff = std::clamp((4800 - f) / 800, 0.0, 1.0);  // no harmonic pops in or out
    double shape = 0;
    for (int i = 0; i < 3; ++i)
      shape += gains[i] / (1 + std::pow((f - formants[i]) / widths[i], 2));
    phases[k - 1] += kTwoPi * f / kRate;
    out += rolloff * shape / double(k) * std::sin(phases[k - 1]);
  }
  return out;
}

// A refused press: "uh-oh", a short syllable and a lower, falling one.
Samples UhOh() {
  const double seconds = 0.45;
  Samples out(static_cast<std::size_t>(seconds * kRate), 0.0);
  struct Syllable {
    double start, length, pitchFrom, pitchTo;
    Vowel from, to;
  };
  const Syllable syllables[] = {{0.0, 0.17, 310, 290, {640, 1190, 2390}, {620, 1150, 2400}},
                                {0.21, 0.24, 250, 200, {480, 850, 2800}, {420, 760, 2800}}};
  for (const Syllable& s : syllables) {
    std::vector<double> phases(40, 0.0);
    for (std::size_t i = 0; i < static_cast<std::size_t>(s.length * kRate); ++i) {
      const double t = double(i) / kRate, u = t / s.length;
      const double f0 =
          (s.pitchFrom + (s.pitchTo - s.pitchFrom) * u) * (1 + 0.006 * std::sin(kTwoPi * 5.5 * t));
      const Vowel v{s.from.f1 + (s.to.f1 - s.from.f1) * u, s.from.f2 + (s.to.f2 - s.from.f2) * u,
                    s.from.f3};
      const double env = Adsr(t, 0.02, 0.06, 0.75, s.length - 0.06, 0.06);
      const std::size_t at = static_cast<std::size_t>(s.start * kRate) + i;
      if (at < out.size()) out[at] += env * Voice(f0, v, phases);
    }
  }
  RemoveDc(out);
  NormalisePeak(out, -3);
  FadeEnds(out, 0.004, 0.01);
  return out;
}

// A brass-like note: the louder it plays, the brighter it gets, with a small pitch scoop.
Samples BrassNote(double hz, double held, double release, double gain) {
  Samples out(static_cast<std::size_t>((held + release) * kRate));
  std::vector<double> phases(14, 0.0);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = double(i) / kRate;
    const double env = Adsr(t, 0.03, 0.12, 0.7, held, release);
    const double f =
        hz * (1 - 0.015 * std::exp(-t / 0.03)) * (1 + 0.003 * std::sin(kTwoPi * 5 * t));
    double v = 0;
    for (std::size_t k = 1; k <= phases.size(); ++k) {
      phases[k - 1] += kTwoPi * f * double(k) / kRate;
      v += std::exp(-double(k - 1) * (1.25 - 0.75 * env)) / std::sqrt(double(k)) *
           std::sin(phases[k - 1]);
    }
    out[i] = gain * env * v;
  }
  return out;
}

// A promotion: a rising major arpeggio landing on a held chord.
Samples Fanfare() {
  const double seconds = 1.45;
  Samples out(static_cast<std::size_t>(seconds * kRate), 0.0);
  const int arpeggio[] = {67, 72, 76, 79};
  for (int i = 0; i < 3; ++i) Mix(out, BrassNote(NoteHz(arpeggio[i]), 0.11, 0.08, 1.0), i * 0.11);
  Mix(out, BrassNote(NoteHz(84), 0.85, 0.25, 1.0), 0.33);
  for (int note : {60, 64, 67, 72}) Mix(out, BrassNote(NoteHz(note), 0.8, 0.28, 0.35), 0.33);
  RemoveDc(out);
  NormalisePeak(out, -3);
  FadeEnds(out, 0.003, 0.03);
  return out;
}

void Write(const Samples& s, const std::string& path) {
  WriteWav(s, path);
  const Figures f = Measure(s);
  std::printf("%-14s %6.3f s  peak %6.2f dBFS  rms %6.2f dBFS  dc %+.6f  seam %.5f  step %.5f\n",
              path.substr(path.find_last_of('/') + 1).c_str(), f.seconds, f.peakDbfs, f.rmsDbfs,
              f.dc, f.seamJump, f.largestStep);
}

}  // namespace
}  // namespace snd

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <Sound dir>\n", argv[0]);
    return 2;
  }
  try {
    const std::string dir = argv[1];
    snd::Write(snd::Music(), dir + "/formal.wav");
    snd::Write(snd::Whoosh(), dir + "/shew.wav");
    snd::Write(snd::Chime(), dir + "/glass.wav");
    snd::Write(snd::UhOh(), dir + "/ao.wav");
    snd::Write(snd::Fanfare(), dir + "/levelup.wav");
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zt_make_sounds: %s\n", e.what());
    return 1;
  }
}

// SPDX-License-Identifier: MIT
// The mixer of the wave-output voices, and the seam to the audio device that plays it.
// Output is interleaved stereo 32-bit float at 44.1 kHz; a device that plays another rate
// converts it itself.
//
// A voice's buffer is converted into the mix as it plays. Shortly before its end (within
// kLeadFrames) the mixer takes the rest of it into the voice's own store at once and
// gives the buffer back: marked done, MM_WOM_DONE posted, as a sound card's driver does
// with a buffer it has copied. A buffer written again meanwhile follows that rest without
// a gap, so a sound restarted on its done message repeats seamlessly. A reset drops the
// rest too; a close lets it play out.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/winmm/wave_out.h"
#include "platform/winmm/wave_out_convert.h"
#include "platform/winmm/wave_out_voices.h"

namespace platform::wave_out_mixer {

constexpr int kOutputChannels = 2;
constexpr int kOutputRate = 44100;
// What a device asks for at a time: 512 frames, 11.6 ms, so a started sound is heard
// within one buffer.
constexpr int kBufferFrames = 512;
// 70 ms: the music screen's timer (20 ms) sees the done message, restarts the sound and
// its buffer reaches the mixer before the rest has played, with time to spare for a busy
// UI thread. A sound written again meanwhile starts after the rest, at most this late.
constexpr int kLeadFrames = 3072;

// Overwrites frames stereo frames of out with the mix of every playing voice of the
// backend, clipped to [-1, 1]. Buffers that end are marked done and their MM_WOM_DONE
// is posted once the voices are unlocked. Safe from the audio thread.
void Mix(wave_voices::WaveOutBackend backend, float* out, int frames);

// From now on Mix reads no voice's samples and gives silence: for a process that ends
// without closing its voices, whose samples are destroyed while the audio thread runs.
void StopReading();

// How many times Mix has run so far, and the pass (1, 2, ...) that first took samples
// from the device's first queued buffer: 0 while none has.
std::uint64_t MixPasses();
std::uint64_t FirstMixPass(HWAVEOUT device);

// The mixer's state of a new voice (wave_voices::Add).
std::shared_ptr<void> NewPlayer(const wave_convert::SampleFormat& format);
// A voice closes: the rest of its buffers given back still plays to its end (until the
// audio device is released). Under the voices' lock.
void KeepRest(const wave_voices::Voice& voice);
// Forgets the rests of closed voices of the backend. Under the voices' lock.
void DropRests(wave_voices::WaveOutBackend backend);

}  // namespace platform::wave_out_mixer

namespace platform::detail {

// What plays the mix of the Device voices: SDL's audio device on the Linux desktop, Web
// Audio in a browser. Its own thread or callback pulls MixDeviceVoices; every other call
// comes from the UI thread without the voices' lock.
class AudioDevice {
 public:
  // Starts playing unless it plays or is being started, and returns at once; false when
  // it cannot play. If starting fails later, it calls FailDeviceBuffers.
  virtual bool Acquire() = 0;
  // Starting has failed: writes are refused until the device is chosen anew.
  virtual bool Failed() = 0;
  // The last Device voice has closed.
  virtual void Release() = 0;
  // The device has been chosen (anew): an earlier failure is forgotten.
  virtual void Chosen() = 0;

 protected:
  ~AudioDevice() = default;
};

// Devices opened from now on play on this audio device (a desktop backend's Init), or,
// with nullptr, are test devices that a test finishes by hand (the headless Init).
void UseAudioDevice(AudioDevice* device);
AudioDevice* CurrentAudioDevice();

// For the audio device: the next frames of the mix, and the end of every queued buffer
// when it has failed to start.
void MixDeviceVoices(float* out, int frames);
void FailDeviceBuffers();

}  // namespace platform::detail

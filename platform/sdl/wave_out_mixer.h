// Inside the wave-output layer: the mixer that the backends pull samples from, and the
// shared SDL audio device. Output is interleaved stereo 32-bit float.
#pragma once

#include "platform/winmm/wave_out.h"

namespace platform::wave_out_mixer {

constexpr int kOutputChannels = 2;
// Both backends mix at this rate; SDL converts to the audio device's own.
constexpr int kOutputRate = 44100;

// Overwrites frames stereo frames of out with the mix of every playing voice of the
// backend, clipped to [-1, 1]. Buffers that end are marked done and their MM_WOM_DONE
// is posted once the voices are unlocked. Safe from the audio thread.
void Mix(WaveOutBackend backend, float* out, int frames);

// From now on Mix reads no voice's samples and gives silence: for a process that ends
// without closing its voices, whose samples are destroyed while the audio thread runs.
void StopReading();

// How many times Mix has run so far, and the pass (1, 2, ...) that first took samples
// from the device's first queued buffer: 0 while none has.
std::uint64_t MixPasses();
std::uint64_t FirstMixPass(HWAVEOUT device);

}  // namespace platform::wave_out_mixer

namespace platform::wave_out_sdl {

// 512 frames: 11.6 ms at 44.1 kHz, so a started sound is heard within one buffer.
constexpr int kBufferFrames = 512;

// Starts opening the shared audio device unless it is open or being opened, and returns
// at once; false when no audio device can be opened (then it is not tried again until
// the backend is chosen anew). If the opening fails later, the buffers queued meanwhile
// are marked done and Failed() turns true. Call from the UI thread without holding the
// voices' lock.
bool Acquire();
bool Failed();
// Waits until an opening under way has succeeded or failed, but not for ever: false when
// the opener is still at work after a few hundred milliseconds. It is then left to itself
// (the program is ending), and the device and SDL's audio must be left alone.
bool FinishOpening();
// Closes the shared device; called when its last voice closes. Does nothing while the
// opener is still at work.
void Release();
// Lets Acquire try again after a failure.
void ForgetFailure();

}  // namespace platform::wave_out_sdl

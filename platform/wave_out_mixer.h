// Inside the wave-output layer: the mixer that the backends pull samples from, and the
// shared SDL audio device. Output is interleaved stereo 32-bit float.
#pragma once

#include "platform/wave_out.h"

namespace platform::wave_out_mixer {

constexpr int kOutputChannels = 2;
constexpr int kTestOutputRate = 44100;

// Overwrites frames stereo frames of out with the mix of every playing voice of the
// backend, clipped to [-1, 1]. Buffers that end are marked done and their MM_WOM_DONE
// is posted once the voices are unlocked. Safe from the audio thread.
void Mix(WaveOutBackend backend, float* out, int frames);

// Marks the device's first queued buffer done as if it had played to its end.
bool FinishFirstBuffer(HWAVEOUT device);

// How many times Mix has run so far, and the pass (1, 2, ...) that first took samples
// from the device's first queued buffer: 0 while none has.
std::uint64_t MixPasses();
std::uint64_t FirstMixPass(HWAVEOUT device);

}  // namespace platform::wave_out_mixer

namespace platform::wave_out_sdl {

// 512 frames: 11.6 ms at 44.1 kHz, so a started sound is heard within one buffer.
constexpr int kBufferFrames = 512;

// Opens the shared audio device if it is not open and returns its rate; 0 when no
// audio device can be opened (then it is not tried again until the backend is chosen
// anew). Call from the UI thread without holding the voices' lock.
int Acquire();
// Closes the shared device; called when its last voice closes.
void Release();
// Lets Acquire try again after a failure.
void ForgetFailure();

}  // namespace platform::wave_out_sdl

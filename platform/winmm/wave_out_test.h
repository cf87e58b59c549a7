// SPDX-License-Identifier: MIT
// The test devices of wave output, on every platform: no audio thread and no audio
// device. A test decides when a buffer finishes, so the order of done messages and state
// changes is exact, or pulls the mixed samples itself. Choosing the headless backend
// (platform::headless::Init) brings them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/winmm/wave_out.h"

namespace platform::wave_test {

// One wave-output call made on the test backend: "waveOutOpen", "waveOutWrite"...
struct Call {
  std::string name;
  HWAVEOUT device;
};
std::vector<Call> Calls();
void ClearCalls();

// Makes every following open fail, as on a machine without sound hardware.
void SetOpenFails(bool fails);

// The device's first queued buffer has played to its end: it is marked done and
// MM_WOM_DONE is posted. False when nothing is queued.
bool FinishBuffer(HWAVEOUT device);
std::size_t QueuedBuffers(HWAVEOUT device);
int OpenDevices();

// Pulls frames of the mix of the test devices (stereo float at 44.1 kHz), as an audio
// device would.
void Mix(float* out, int frames);

// Closes every test device without any message and clears the log and SetOpenFails.
void Reset();

}  // namespace platform::wave_test

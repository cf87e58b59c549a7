// The test backend of wave output, on every platform: no audio thread and no audio
// device. A test decides when a buffer finishes, so the order of done messages and state
// changes is exact; on Linux it can also pull the mixed samples itself. Select it with
// SelectWaveOutBackend(WaveOutBackend::Test).
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

#ifndef _WIN32
// Pulls frames of the mix (stereo float at 44.1 kHz), as the audio callback would. Linux
// only: on Windows the desktop mixes the devices.
void Mix(float* out, int frames);
#endif

// Closes every test device without any message and clears the log and SetOpenFails.
void Reset();

}  // namespace platform::wave_test

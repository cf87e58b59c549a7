// SPDX-License-Identifier: MIT
// The wave-output devices that the program keeps itself, as voices: a handle, a queue of
// buffers, and the done message each buffer ends with. Outside Windows every device is a
// voice of the mixer (wave_out_mixer.h), which an audio device pulls; on every platform
// the test devices are voices that a test finishes by hand (wave_out_test.h). Every
// function takes the lock itself unless it says otherwise.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/loop/window_messages.h"
#include "platform/winmm/wave_out.h"
#include "platform/winmm/wave_out_convert.h"

namespace platform::wave_voices {

using wave_convert::SampleFormat;

// Device: played by the audio device of the mix (outside Windows) or by the desktop's own
// wave output (Windows). Test: no audio thread and no device; a test finishes buffers.
enum class WaveOutBackend { Device, Test };

struct Voice {
  HWAVEOUT handle = 0;
  WaveOutBackend backend = WaveOutBackend::Device;
  HWND window = 0;  // 0 with CALLBACK_NULL
  SampleFormat format{};
  std::deque<WAVEHDR*> queue;
  // Buffers finished so far: a player sees from it that the first buffer has changed.
  std::uint64_t finished = 0;
  // Resets so far: a player sees from it that what it still holds must be dropped.
  std::uint64_t resets = 0;
  // The mixer's own state of the voice (wave_out_mixer.cpp); freed with the voice.
  std::shared_ptr<void> player;
};

// A done message to post once the lock is released.
struct Notice {
  HWND window;
  HWAVEOUT device;
  WAVEHDR* header;
};

// The lock over every voice, and what it guards.
std::mutex& Lock();
std::vector<std::unique_ptr<Voice>>& All();                    // under Lock()
Voice* Find(HWAVEOUT device);                                  // under Lock()
void FinishFront(Voice& voice, std::vector<Notice>& notices);  // under Lock()
// Posts the done messages; call without the lock.
void Post(const std::vector<Notice>& notices);

// The checks of waveOutOpen before a device is needed: the device id, the callback type
// and the format. Records the call for a test backend.
MMRESULT CheckOpen(WaveOutBackend backend, std::uint32_t deviceId, const WAVEFORMATEX* format,
                   std::uint32_t flags, SampleFormat& sampleFormat);
// Adds a voice and returns its handle; handles are never reused within a run.
HWAVEOUT Add(WaveOutBackend backend, const SampleFormat& format, std::uintptr_t callback,
             std::uint32_t flags);

// The waveOut calls on a voice. Write to a Device voice fails with MMSYSERR_NODRIVER when
// devicePlays (asked under the lock) says the device has failed.
MMRESULT PrepareHeader(HWAVEOUT device, WAVEHDR* header, std::uint32_t headerSize);
MMRESULT Write(HWAVEOUT device, WAVEHDR* header, std::uint32_t headerSize,
               bool (*devicePlays)() = nullptr);
MMRESULT Reset(HWAVEOUT device);
MMRESULT UnprepareHeader(HWAVEOUT device, WAVEHDR* header, std::uint32_t headerSize);
// Closes the voice; its backend, or nothing when it fails.
std::optional<WaveOutBackend> Close(HWAVEOUT device, MMRESULT& result);

bool AnyOf(WaveOutBackend backend);
void FinishEveryBuffer(WaveOutBackend backend);
bool FinishFirstBuffer(HWAVEOUT device);

// The backend that waveOutOpen uses: Test when the headless backend is chosen, Device
// when a desktop's is.
void SetBackend(WaveOutBackend backend);
WaveOutBackend Backend();

}  // namespace platform::wave_voices

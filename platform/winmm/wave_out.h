// SPDX-License-Identifier: MIT
// Wave output with the classic waveOut calls. Outside Windows every open device is a voice
// of one mixer: the voices' buffers are converted to the output format, mixed with clipping
// and played on one audio device. When a buffer has played (wave_out_mixer.h says how
// early it is given back), or at once when the device is reset, the buffer is marked done
// and MM_WOM_DONE (wParam = the device handle, lParam = the header) is posted to the
// device's callback window, so the end of a sound is handled on the UI thread. Handles are
// never reused within a run.
//
// The backend chosen brings its devices: the headless one test devices that a test
// finishes by hand (wave_out_test.h), a desktop's the machine's audio device (outside
// Windows the mixer's device, on Windows the desktop's own waveOut calls).
#pragma once

#include <cstdint>

#include "platform/winmm/mmio.h"

namespace platform {

using HWAVEOUT = std::uintptr_t;  // 0: no device

#pragma pack(push, 1)
struct WAVEFORMATEX {
  std::uint16_t wFormatTag;
  std::uint16_t nChannels;
  std::uint32_t nSamplesPerSec;
  std::uint32_t nAvgBytesPerSec;
  std::uint16_t nBlockAlign;
  std::uint16_t wBitsPerSample;
  std::uint16_t cbSize;  // bytes of extra format information that follow
};

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];
};

struct WAVEFORMATEXTENSIBLE {
  WAVEFORMATEX Format;  // wFormatTag WAVE_FORMAT_EXTENSIBLE, cbSize at least 22
  std::uint16_t wValidBitsPerSample;
  std::uint32_t dwChannelMask;
  GUID SubFormat;  // the PCM or IEEE float sub-format
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18 && sizeof(WAVEFORMATEXTENSIBLE) == 40);

// A buffer handed to a device. Field order as on the desktop; pointers and the user
// fields have this platform's width.
struct WAVEHDR {
  char* lpData;
  std::uint32_t dwBufferLength;
  std::uint32_t dwBytesRecorded;
  std::uintptr_t dwUser;
  std::uint32_t dwFlags;
  std::uint32_t dwLoops;
  WAVEHDR* lpNext;
  std::uintptr_t reserved;
};

constexpr std::uint16_t WAVE_FORMAT_PCM = 1;
constexpr std::uint16_t WAVE_FORMAT_IEEE_FLOAT = 3;
constexpr std::uint16_t WAVE_FORMAT_EXTENSIBLE = 0xFFFE;

constexpr std::uint32_t WAVE_MAPPER = 0xFFFFFFFF;
constexpr std::uint32_t CALLBACK_NULL = 0x00000;
constexpr std::uint32_t CALLBACK_WINDOW = 0x10000;

constexpr std::uint32_t WHDR_DONE = 0x01;
constexpr std::uint32_t WHDR_PREPARED = 0x02;
constexpr std::uint32_t WHDR_INQUEUE = 0x10;

constexpr std::uint32_t MM_WOM_OPEN = 0x3BB;
constexpr std::uint32_t MM_WOM_CLOSE = 0x3BC;
constexpr std::uint32_t MM_WOM_DONE = 0x3BD;

constexpr MMRESULT MMSYSERR_ERROR = 1;
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT WAVERR_BADFORMAT = 32;
constexpr MMRESULT WAVERR_STILLPLAYING = 33;
constexpr MMRESULT WAVERR_UNPREPARED = 34;

// Opens a voice for the format: PCM of 8, 16, 24 or 32 bits, 32-bit float, A-law or
// mu-law, or WAVE_FORMAT_EXTENSIBLE with one of those; 1 to 32 channels (more than two
// are folded into two); 1 to 384 kHz. Another format gives WAVERR_BADFORMAT. callback is
// the window (HWND) that receives MM_WOM_DONE with CALLBACK_WINDOW. On any failure
// *device is 0.
MMRESULT waveOutOpen(HWAVEOUT* device, std::uint32_t deviceId, const WAVEFORMATEX* format,
                     std::uintptr_t callback, std::uintptr_t instance, std::uint32_t flags);
MMRESULT waveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, std::uint32_t headerSize);
// Queues a prepared buffer and returns at once.
MMRESULT waveOutWrite(HWAVEOUT device, WAVEHDR* header, std::uint32_t headerSize);
// Stops at once and returns every queued buffer marked done.
MMRESULT waveOutReset(HWAVEOUT device);
MMRESULT waveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, std::uint32_t headerSize);
// Fails with WAVERR_STILLPLAYING while buffers are queued.
MMRESULT waveOutClose(HWAVEOUT device);

}  // namespace platform

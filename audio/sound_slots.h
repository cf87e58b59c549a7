// SPDX-License-Identifier: MIT
// Inside SoundManager: the slot table and the notification window. Only the sound
// manager itself and its tests use this header.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "audio/sound_manager.h"
#include "platform/loop/window_messages.h"
#include "platform/winmm/wave_out.h"

namespace audio {

struct SoundSlot {
  platform::HWAVEOUT Device = 0;  // 0 when no device is open for the slot
  // Handed to the device by address: the slot table never moves.
  platform::WAVEHDR Header{};
  std::vector<char> Samples;  // the data chunk; Header.lpData points at element 0
  std::int32_t State = SlotEmpty;
  std::int32_t Flags = 0;  // kept when the slot is freed
};

constexpr std::int32_t kSlotCount = 32;
// Slot n (1..32) is SoundSlots[n - 1].
extern std::array<SoundSlot, kSlotCount> SoundSlots;

std::int32_t FindSoundByDevice(platform::HWAVEOUT device);
SoundBool CreateNotifyWindow();
platform::LRESULT NotifyWindowProc(platform::HWND window, std::uint32_t message,
                                   platform::WPARAM wParam, platform::LPARAM lParam);
platform::HWND NotifyWindow();

}  // namespace audio

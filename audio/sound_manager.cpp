// SPDX-License-Identifier: MIT
#include "audio/sound_manager.h"

#include <cstdio>

#include "audio/sound_slots.h"
#include "audio/wave_file.h"
#include "platform/loop/system.h"

namespace audio {

SoundManagerNotifier* SoundNotifier = nullptr;
std::array<SoundSlot, kSlotCount> SoundSlots;

namespace {

constexpr std::uint32_t kHeaderSize = sizeof(platform::WAVEHDR);
constexpr std::uint32_t kNotifyWindowStyle = 0x8000000B;  // WS_POPUP | SS_SIMPLE, never shown

platform::HWND notifyWindow = 0;
platform::WNDPROC prevWndProc = nullptr;

bool InRange(std::int32_t slot) {
  return slot >= 1 && slot <= kSlotCount;
}
SoundSlot& Slot(std::int32_t slot) {
  return SoundSlots[slot - 1];
}

// The listener hears of a slot only when one is registered and the slot wants it.
SoundManagerNotifier* ListenerFor(std::int32_t slot) {
  return SoundNotifier && !(Slot(slot).Flags & NoNotify) ? SoundNotifier : nullptr;
}

void Report(const std::string& message) {
  platform::MsgBox(message, platform::kAppTitle);
}

// A file the device cannot play loads and stays silent; one line says why, for whoever
// wonders at the silence.
void ReportUnplayable(const std::string& fileName, const WaveFile& wave) {
  std::fprintf(stderr, "%s: %s: the sound device cannot play wave format 0x%04X\n",
               platform::kAppTitle, fileName.c_str(), wave.format.Format.wFormatTag);
}

// Steps 5 to 18 of a load, on an open file; the caller closes it.
SoundBool FillSlot(std::int32_t slot, const std::string& fileName, WaveFile& wave,
                   std::int32_t flags) {
  if (std::string failure = FindWaveChunks(wave); !failure.empty()) {
    Report(failure);
    return kSoundFalse;
  }
  if (notifyWindow == 0 && CreateNotifyWindow() != kSoundTrue) return kSoundFalse;
  SoundSlot& s = Slot(slot);
  if (std::string failure = ReadWaveSamples(wave, s.Samples); !failure.empty()) {
    Report(failure);
    return kSoundFalse;
  }
  if (platform::waveOutOpen(&s.Device, platform::WAVE_MAPPER, &wave.format.Format, notifyWindow, 0,
                            platform::CALLBACK_WINDOW) == platform::WAVERR_BADFORMAT) {
    ReportUnplayable(fileName, wave);
  }
  s.Header.lpData = s.Samples.data();
  s.Header.dwBufferLength = static_cast<std::uint32_t>(s.Samples.size());
  platform::waveOutPrepareHeader(s.Device, &s.Header, kHeaderSize);
  s.State = SlotReady;
  s.Flags = flags;
  if (auto* listener = ListenerFor(slot)) listener->SoundLoaded(slot);
  if (flags & PlayOnLoad) StartSound(slot);
  return kSoundTrue;
}

}  // namespace

SoundBool LoadSound(std::int32_t slot, const std::string& fileName, const std::int32_t& flags) {
  if (!InRange(slot)) return kSoundFalse;
  UnloadSound(slot);
  WaveFile wave;
  wave.file = platform::mmioOpenA(fileName.c_str(), nullptr, platform::MMIO_ALLOCBUF);
  if (!wave.file) {
    Report("Cannot open file");
    return kSoundFalse;
  }
  const SoundBool loaded = FillSlot(slot, fileName, wave, flags);
  platform::mmioClose(wave.file, 0);
  return loaded;
}

SoundBool StartSound(std::int32_t slot) {
  if (!InRange(slot)) return kSoundFalse;
  StopSound(slot);
  SoundSlot& s = Slot(slot);
  // A slot that was playing stays SlotPlaying until its done message has been handled.
  if (s.State != SlotReady || s.Device == 0) return kSoundFalse;
  // A buffer the device refused would never report its end and block the slot for good.
  if (platform::waveOutWrite(s.Device, &s.Header, kHeaderSize) != platform::MMSYSERR_NOERROR) {
    return kSoundFalse;
  }
  s.State = SlotPlaying;
  if (auto* listener = ListenerFor(slot)) listener->SoundPlayStart(slot);
  return kSoundTrue;
}

void StopSound(std::int32_t slot) {
  if (slot == -1) {
    for (std::int32_t each = 1; each <= kSlotCount; ++each) StopSound(each);
    return;
  }
  if (!InRange(slot)) return;
  if (Slot(slot).State == SlotPlaying) platform::waveOutReset(Slot(slot).Device);
}

void UnloadSound(std::int32_t slot) {
  if (slot == -1) {
    for (std::int32_t each = 1; each <= kSlotCount; ++each) {
      if (Slot(each).State != SlotEmpty) UnloadSound(each);
    }
    return;
  }
  if (!InRange(slot) || Slot(slot).State == SlotEmpty) return;
  SoundSlot& s = Slot(slot);
  StopSound(slot);
  platform::waveOutUnprepareHeader(s.Device, &s.Header, kHeaderSize);
  platform::waveOutClose(s.Device);
  s.Device = 0;
  std::vector<char>().swap(s.Samples);
  s.Header = {};
  s.State = SlotEmpty;
  if (auto* listener = ListenerFor(slot)) listener->SoundUnloaded(slot);
}

std::int32_t GetSoundState(std::int32_t slot) {
  return InRange(slot) ? Slot(slot).State : -1;
}

std::int32_t FindSoundByDevice(platform::HWAVEOUT device) {
  if (device == 0) return 0;  // 0 is "no device": it must not match an empty slot
  for (std::int32_t slot = 1; slot <= kSlotCount; ++slot) {
    if (Slot(slot).Device == device) return slot;
  }
  return 0;
}

SoundBool CreateNotifyWindow() {
  if (notifyWindow != 0) return kSoundFalse;
  notifyWindow = platform::CreateWindowExA(0, "STATIC", "Soundmanager Window", kNotifyWindowStyle,
                                           0, 0, 100, 20, 0, nullptr, nullptr, nullptr);
  if (notifyWindow == 0) return kSoundFalse;
  prevWndProc = reinterpret_cast<platform::WNDPROC>(platform::SetWindowLongA(
      notifyWindow, platform::GWL_WNDPROC, reinterpret_cast<std::intptr_t>(&NotifyWindowProc)));
  return kSoundTrue;
}

platform::LRESULT NotifyWindowProc(platform::HWND window, std::uint32_t message,
                                   platform::WPARAM wParam, platform::LPARAM lParam) {
  if (message == platform::MM_WOM_DONE) {
    if (const std::int32_t slot = FindSoundByDevice(wParam); slot != 0) {
      // Called while the slot is still playing: a restart from the listener is refused.
      if (auto* listener = ListenerFor(slot)) listener->SoundPlayEnd(slot);
      SoundSlot& s = Slot(slot);
      // Unless the listener has meanwhile freed or reloaded the slot.
      if (s.Device == wParam && s.State == SlotPlaying) {
        s.State = SlotReady;
        if (s.Flags & FreeWhenDone) UnloadSound(slot);
      }
    }
  }
  return platform::CallWindowProcA(prevWndProc, window, message, wParam, lParam);
}

platform::HWND NotifyWindow() {
  return notifyWindow;
}

void ShutdownSounds() {
  UnloadSound(-1);
  if (notifyWindow != 0) {
    platform::SetWindowLongA(notifyWindow, platform::GWL_WNDPROC,
                             reinterpret_cast<std::intptr_t>(prevWndProc));
    platform::DestroyWindow(notifyWindow);
    // Forgotten, so that a later load makes a new window instead of using a dead one.
    notifyWindow = 0;
    prevWndProc = nullptr;
  }
}

}  // namespace audio

// SPDX-License-Identifier: MIT
// SoundManager: 32 numbered sound slots, each holding one WAV file's samples and one
// open wave-output device ready to play them. Free operations over module data, all on
// the UI thread. Booleans are 16-bit: -1 true, 0 false.
#pragma once

#include <cstdint>
#include <string>

namespace audio {

using SoundBool = std::int16_t;
constexpr SoundBool kSoundTrue = -1;
constexpr SoundBool kSoundFalse = 0;

// The game's five sound cues and their slots.
constexpr std::int32_t SoundMusic = 1;   // \Sound\formal.wav
constexpr std::int32_t SoundTurn = 2;    // \Sound\shew.wav
constexpr std::int32_t SoundLine = 3;    // \Sound\glass.wav
constexpr std::int32_t SoundRefuse = 4;  // \Sound\ao.wav
constexpr std::int32_t SoundRankUp = 5;  // \Sound\levelup.wav

// Slot states.
constexpr std::int32_t SlotEmpty = 0;
constexpr std::int32_t SlotReady = 1;
constexpr std::int32_t SlotPlaying = 2;

// LoadSound flags.
constexpr std::int32_t PlayOnLoad = 1;
constexpr std::int32_t FreeWhenDone = 2;
constexpr std::int32_t NoNotify = 4;

// The listener: screens derive from it; every operation does nothing by default.
class SoundManagerNotifier {
 public:
  virtual ~SoundManagerNotifier() = default;
  virtual void SoundLoaded(std::int32_t /*slot*/) {}
  virtual void SoundPlayStart(std::int32_t /*slot*/) {}
  virtual void SoundPlayEnd(std::int32_t /*slot*/) {}
  virtual void SoundUnloaded(std::int32_t /*slot*/) {}
};

// The registered listener, or nullptr. SoundManager never sets it itself.
extern SoundManagerNotifier* SoundNotifier;

SoundBool LoadSound(std::int32_t slot, const std::string& fileName, const std::int32_t& flags);
SoundBool StartSound(std::int32_t slot);
void StopSound(std::int32_t slot);    // 1..32, or -1 for all
void UnloadSound(std::int32_t slot);  // 1..32, or -1 for all
std::int32_t GetSoundState(std::int32_t slot);
void ShutdownSounds();

}  // namespace audio

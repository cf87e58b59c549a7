// SPDX-License-Identifier: MIT
#include "audio/frm_music.h"

#include "game/game_state.h"
#include "platform/files/places.h"
#include "platform/loop/system.h"

namespace audio {
namespace {

std::string SoundFile(const char* name) {
  return (platform::AssetFolder() / "Sound" / name).string();
}

}  // namespace

FrmMusic::FrmMusic() : Timer1(*this, 20, false) {
  SetCaption("Music");
  SetClientSize(6, 6);
  // Keeps the music going: restarts it on the first tick after it has ended.
  Timer1.OnTick = [] {
    if (GetSoundState(game::MusicSlot) == SlotPlaying) return;
    StartSound(game::MusicSlot);
  };
}

void FrmMusic::Load() {
  SoundNotifier = this;
  const std::int32_t flags = 0;
  LoadSound(SoundMusic, SoundFile("formal.wav"), flags);
  LoadSound(SoundTurn, SoundFile("shew.wav"), flags);
  LoadSound(SoundLine, SoundFile("glass.wav"), flags);
  LoadSound(SoundRefuse, SoundFile("ao.wav"), flags);
  LoadSound(SoundRankUp, SoundFile("levelup.wav"), flags);
  StartSound(SoundRankUp);
  Hide();
}

void FrmMusic::MusicSwitch() {
  StopSound(-1);
  Timer1.SetEnabled(!Timer1.Enabled());
}

void FrmMusic::Unload() {
  StopSound(-1);
  UnloadSound(-1);
  ShutdownSounds();
  // This screen is about to be destroyed: it must not stay registered.
  if (SoundNotifier == this) SoundNotifier = nullptr;
  platform::EndProgram();
}

}  // namespace audio

// SPDX-License-Identifier: MIT
// The hidden music screen: loads the five sounds, keeps the music going with its 20 ms
// timer, and is the program's exit path: closing it frees the sound engine and ends
// the program.
#pragma once

#include "audio/sound_manager.h"
#include "platform/ui/form.h"

namespace audio {

class FrmMusic : public platform::Form, public SoundManagerNotifier {
 public:
  FrmMusic();
  platform::Timer Timer1;  // the music timer: 20 ms, disabled at start

  // The game screen's music switch: silences every sound and toggles the music timer.
  void MusicSwitch();

 protected:
  void Load() override;
  void Unload() override;
};

inline FrmMusic& frmMusic() {
  return platform::Instance<FrmMusic>();
}

}  // namespace audio

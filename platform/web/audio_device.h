// SPDX-License-Identifier: MIT
// Web Audio as the wave-output voices' audio device: the page pulls the mix in steps of
// the browser's clock and plays it through an audio worklet once the player's first
// click, tap or key has let it; until then the mix is taken and dropped, so the devices
// play silently and their done messages come on time.
#pragma once

#include "platform/winmm/wave_out_mixer.h"

namespace platform::web {

detail::AudioDevice& WebAudioDevice();

}  // namespace platform::web

// SPDX-License-Identifier: MIT
// SDL's audio device: it plays the mix of the wave-output voices (platform/winmm/
// wave_out_mixer.h) from SDL's audio thread. The desktop backend's Init chooses it.
#pragma once

#include "platform/winmm/wave_out_mixer.h"

namespace platform::wave_out_sdl {

detail::AudioDevice& AudioDevice();

// Waits until an opening under way has succeeded or failed, but not for ever: false when
// the opener is still at work after a few hundred milliseconds. It is then left to itself
// (the program is ending), and the device and SDL's audio must be left alone.
bool FinishOpening();

}  // namespace platform::wave_out_sdl

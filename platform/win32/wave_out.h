// Wave output on Windows (wave_out.cpp): the desktop's own.
#pragma once

namespace platform::win32 {

// Devices opened from now on play on the desktop's own wave output: the desktop
// backend's Init.
void UseDesktopWaveOut();

}  // namespace platform::win32

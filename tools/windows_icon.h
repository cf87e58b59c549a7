// SPDX-License-Identifier: MIT
// The Windows icon file: one .ico that holds the game's icon at every size Explorer,
// the taskbar and shortcuts ask for.
#pragma once

#include <filesystem>
#include <vector>

namespace art {

// Writes an .ico whose entries are the given PNG files, in order, each `sizes[i]` pixels
// square (at most 256). Windows reads PNG entries at every size.
void SaveWindowsIcon(const std::vector<std::filesystem::path>& pngs, const std::vector<int>& sizes,
                     const std::filesystem::path& ico);

}  // namespace art

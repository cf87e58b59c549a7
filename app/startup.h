// SPDX-License-Identifier: MIT
// The start-up routine: the program begins here, before any window exists.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "platform/files/places.h"

namespace app {

// Tells a first run from a later one by the marker fr.dat in programFolder and records
// the answer in game::FirstRunDone. A later run asks for the splash screen. A first run
// writes the marker (the record "861104", 10 bytes with quotes and CR LF) and asks for the
// how-to-play screen. When the marker cannot be written it reports the file and the
// reason on stderr and in a message box, shows no screen and returns false: the program
// should then exit with a failure status. When programFolder is missing because it could
// not be created (folderFailure), the report names that folder and that step's reason
// instead. True once a screen has been asked for.
bool StartUp(const std::filesystem::path& programFolder,
             const std::optional<platform::FolderFailure>& folderFailure,
             const std::function<void()>& showSplash, const std::function<void()>& showHowToPlay);

// <program folder>/fr.dat
std::filesystem::path FirstRunMarkerPath(const std::filesystem::path& programFolder);

}  // namespace app

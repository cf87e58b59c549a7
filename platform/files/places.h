// SPDX-License-Identifier: MIT
// Where the game's files live. The program's own files (pictures, fonts, sounds) are read
// from one folder, the player's files (fr.dat, data/) are written to another. This module
// alone decides both, once per run; the rest of the game only asks for the folders.
#pragma once

#include <filesystem>
#include <optional>
#include <system_error>

namespace platform {

// The folder that holds resources/ and Sound/: the program's folder when they lie beside
// the program file (a build folder, a portable copy), the installed data folder otherwise.
std::filesystem::path AssetFolder();

// The folder that holds fr.dat and data/: the program's folder when the assets lie beside
// the program, the player may write there and no installer put the program there;
// otherwise the player's own data folder, created with its data/ when missing.
std::filesystem::path PlayerFolder();

// The file an installer writes beside the program it installs: an installed program's
// folder belongs to the installer, which replaces and removes it, so the player's files
// never go there.
inline constexpr const char* kInstalledMarker = "installed.txt";

// Why the player's folder could not be made: the first folder on the way that could not
// be created, and the system's reason.
struct FolderFailure {
  std::filesystem::path folder;
  std::error_code error;
};
// Empty when the player's folder exists (or was never to be made).
std::optional<FolderFailure> PlayerFolderFailure();

// Points both at one folder that holds everything, as a build folder does (tests).
void SetProgramFolder(const std::filesystem::path& folder);

namespace detail {

struct Places {
  std::filesystem::path assets, player;
  std::optional<FolderFailure> playerFailure;
};

// The decision itself, from what the system says about this run: the folder of the
// program file, whether the player may write in it, the installed data folder and the
// player's own data folder.
Places ChoosePlaces(const std::filesystem::path& programFolder, bool programFolderWritable,
                    const std::filesystem::path& installedAssets,
                    const std::filesystem::path& perUserFolder);

}  // namespace detail
}  // namespace platform

// SPDX-License-Identifier: MIT
#include "platform/files/places.h"

#include <optional>
#include <system_error>

#include "platform/files/places_os.h"

namespace platform {
namespace detail {
namespace {

std::optional<Places> chosen;

bool IsFolder(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

Places Choose() {
  const std::filesystem::path program = ExecutableFolder();
  // The installed layout: <prefix>/bin/zentorra and <prefix>/share/zentorra, the relative
  // way between them given by the build.
  const std::filesystem::path installed = (program / ZT_ASSETS_FROM_PROGRAM).lexically_normal();
  Places places = ChoosePlaces(program, MayWriteIn(program), installed, PerUserFolder());
  if (places.player != program) {
    FolderFailure failure;
    if (!MakePrivateFolder(places.player / "data", failure)) places.playerFailure = failure;
  }
  return places;
}

const Places& Current() {
  if (!chosen) chosen = Choose();
  return *chosen;
}

}  // namespace

Places ChoosePlaces(const std::filesystem::path& programFolder, bool programFolderWritable,
                    const std::filesystem::path& installedAssets,
                    const std::filesystem::path& perUserFolder) {
  // A folder with the assets beside the program file is the player's own copy: it keeps
  // everything together while it can. An installed program's folder is shared by other
  // programs and never the place for a player's files, even for a user who may write there.
  const bool selfContained = IsFolder(programFolder / "resources");
  const std::filesystem::path assets = selfContained ? programFolder : installedAssets;
  std::error_code error;
  const bool portable =
      selfContained && !std::filesystem::exists(programFolder / kInstalledMarker, error);
  if ((portable && programFolderWritable) || perUserFolder.empty())
    return {assets, programFolder, std::nullopt};
  return {assets, perUserFolder, std::nullopt};
}

}  // namespace detail

std::filesystem::path AssetFolder() {
  return detail::Current().assets;
}

std::filesystem::path PlayerFolder() {
  return detail::Current().player;
}

std::optional<FolderFailure> PlayerFolderFailure() {
  return detail::Current().playerFailure;
}

void SetProgramFolder(const std::filesystem::path& folder) {
  detail::chosen = detail::Places{folder, folder, std::nullopt};
}

}  // namespace platform

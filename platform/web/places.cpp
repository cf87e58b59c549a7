// SPDX-License-Identifier: MIT
// The browser's answers for the places module: the program's own files are in the
// preloaded data package at /zentorra, the player's in the browser's storage at /player
// (page.js mounts it and reads it in before the program starts).
#include <sys/stat.h>

#include <cerrno>

#include "platform/files/places_os.h"

namespace platform::detail {

std::filesystem::path ExecutableFolder() {
  return "/zentorra";
}

// The data package is the program's and never the player's.
bool MayWriteIn(const std::filesystem::path& folder) {
  return folder != ExecutableFolder();
}

std::filesystem::path PerUserFolder() {
  return "/player";
}

// As on Linux: the browser's file system has the same calls.
bool MakePrivateFolder(const std::filesystem::path& folder, FolderFailure& failure) {
  std::filesystem::path partial;
  for (const auto& part : folder) {
    partial /= part;
    if (mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
      failure = {partial, {errno, std::system_category()}};
      return false;
    }
  }
  std::error_code error;
  if (std::filesystem::is_directory(folder, error)) return true;
  failure = {folder, error ? error : std::make_error_code(std::errc::not_a_directory)};
  return false;
}

}  // namespace platform::detail

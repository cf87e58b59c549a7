// SPDX-License-Identifier: MIT
// Creating the player's folder with POSIX calls: on Linux, and on the browser's file
// system, which has the same ones.
#include <sys/stat.h>

#include <cerrno>
#include <system_error>

#include "platform/files/places_os.h"

namespace platform::detail {

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

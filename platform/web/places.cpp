// SPDX-License-Identifier: MIT
// The browser's answers for the places module: the program's own files are in the
// preloaded data package at /zentorra, the player's in the browser's storage at /player
// (page.js mounts it and reads it in before the program starts).

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

}  // namespace platform::detail

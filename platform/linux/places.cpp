// SPDX-License-Identifier: MIT
// The Linux answers for the places module: the program file from /proc, the player's
// data folder from the XDG base-directory convention.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "platform/files/places_os.h"

namespace platform::detail {
namespace {

// $HOME, or the account's home directory where the environment names none.
std::filesystem::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* account = getpwuid(getuid()); account && account->pw_dir)
    return account->pw_dir;
  return {};
}

}  // namespace

std::filesystem::path ExecutableFolder() {
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path(error) : exe.parent_path();
}

bool MayWriteIn(const std::filesystem::path& folder) {
  return access(folder.c_str(), W_OK | X_OK) == 0;
}

std::filesystem::path PerUserFolder() {
  // The convention ignores a relative $XDG_DATA_HOME as invalid.
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome && std::filesystem::path(dataHome).is_absolute())
    return std::filesystem::path(dataHome) / "zentorra";
  const std::filesystem::path home = HomeFolder();
  if (home.empty()) return {};
  return home / ".local" / "share" / "zentorra";
}

}  // namespace platform::detail

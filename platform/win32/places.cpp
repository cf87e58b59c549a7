// SPDX-License-Identifier: MIT
// The Windows answers for the places module: the program file from the module's own
// name, the player's data folder among the user's roaming application data.
#include <string>
#include <system_error>

#include "platform/files/places_os.h"

// After the layer's headers: the desktop's headers define some of their names as macros.
#include <windows.h>

#include <shlobj.h>  // after windows.h, whose types it uses

namespace platform::detail {

std::filesystem::path ExecutableFolder() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) {
      std::error_code error;
      return std::filesystem::current_path(error);
    }
    if (length < name.size()) {
      name.resize(length);
      return std::filesystem::path(name).parent_path();
    }
    name.resize(name.size() * 2);  // a long path: try again with room for it
  }
}

// Rights on Windows are lists of grants that only an attempt weighs up: a file that is
// made here and gone again when it is closed.
bool MayWriteIn(const std::filesystem::path& folder) {
  const std::filesystem::path probe =
      folder / (L".zentorra-" + std::to_wstring(GetCurrentProcessId()) + L".tmp");
  HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

std::filesystem::path PerUserFolder() {
  PWSTR roaming = nullptr;
  std::filesystem::path folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &roaming)))
    folder = std::filesystem::path(roaming) / "Zentorra";
  CoTaskMemFree(roaming);
  return folder;
}

// The user's application data is the user's alone already: its folders inherit that.
bool MakePrivateFolder(const std::filesystem::path& folder, FolderFailure& failure) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  std::error_code ignored;
  if (std::filesystem::is_directory(folder, ignored)) return true;
  failure = {folder, error ? error : std::make_error_code(std::errc::not_a_directory)};
  return false;
}

}  // namespace platform::detail

#include <string>

#include "platform/backend.h"

// After the layer's headers: the desktop's headers define some of their names as macros.
#include <windows.h>

namespace platform::detail {

std::filesystem::path ExecutableFolder() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return std::filesystem::current_path();
    if (length < name.size()) {
      name.resize(length);
      return std::filesystem::path(name).parent_path();
    }
    name.resize(name.size() * 2);  // a long path: try again with room for it
  }
}

}  // namespace platform::detail

#include <iostream>

#include "platform/backend.h"

namespace platform::detail {
std::unique_ptr<BackendImpl> MakeHeadlessBackend();

// Replaced by the SDL window backend.
std::unique_ptr<BackendImpl> MakeSdlBackend() {
  std::cerr << "SDL backend not built yet; running headless\n";
  return MakeHeadlessBackend();
}
}  // namespace platform::detail

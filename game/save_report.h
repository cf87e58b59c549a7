// SPDX-License-Identifier: MIT
// A save that fails must not fail silently: the player learns what was not saved and why.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace game {

// A message box: what could not be saved (for example "Your progress"), the file and
// the reason.
void ReportSaveFailure(const std::string& what, const std::filesystem::path& path,
                       const std::error_code& error);

}  // namespace game

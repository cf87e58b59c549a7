// SPDX-License-Identifier: MIT
#include "game/save_report.h"

#include "platform/loop/system.h"

namespace game {

void ReportSaveFailure(const std::string& what, const std::filesystem::path& path,
                       const std::error_code& error) {
  platform::MsgBox(what + " could not be saved.\n\n" + path.string() + ": " + error.message() + ".",
                   platform::kAppTitle, platform::MsgBoxIcon::Exclamation);
}

}  // namespace game

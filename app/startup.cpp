// SPDX-License-Identifier: MIT
#include "app/startup.h"

#include <iostream>
#include <string_view>

#include "game/game_state.h"
#include "platform/files/files.h"
#include "platform/loop/system.h"

namespace app {
namespace {

constexpr std::string_view kMarkerRecord = "\"861104\"\r\n";

// Started from a desktop launcher the program has no terminal: the reason must show in
// a message box as well.
void ReportCannotStart(const std::string& cause) {
  const std::string text = "Zentorra cannot start: " + cause;
  std::cerr << text << "\n";
  platform::MsgBox(text, platform::kAppTitle, platform::MsgBoxIcon::Exclamation);
}

void ReportMarkerFailure(const std::filesystem::path& marker, const std::error_code& error,
                         const std::optional<platform::FolderFailure>& folderFailure) {
  // The marker's own error would only say that its folder is not there.
  std::error_code ignored;
  if (folderFailure && !std::filesystem::exists(marker.parent_path(), ignored)) {
    ReportCannotStart("the folder " + folderFailure->folder.string() + " could not be created (" +
                      folderFailure->error.message() + ").");
    return;
  }
  ReportCannotStart("the first-run marker " + marker.string() + " could not be written (" +
                    error.message() + ").");
}

}  // namespace

std::filesystem::path FirstRunMarkerPath(const std::filesystem::path& programFolder) {
  return programFolder / "fr.dat";
}

bool StartUp(const std::filesystem::path& programFolder,
             const std::optional<platform::FolderFailure>& folderFailure,
             const std::function<void()>& showSplash, const std::function<void()>& showHowToPlay) {
  const std::filesystem::path marker = FirstRunMarkerPath(programFolder);
  // What saves cut short by the end of an earlier run left behind.
  platform::files::RemoveLeftoverTemporaries(programFolder);
  platform::files::RemoveLeftoverTemporaries(programFolder / "data");
  std::error_code error;
  if (std::filesystem::exists(marker, error)) {
    game::FirstRunDone = game::kTrue;
    if (showSplash) showSplash();
    return true;
  }
  game::FirstRunDone = game::kFalse;
  // Written whole or not at all, and never through a link planted at its name.
  if (!platform::files::ReplaceFile(marker, kMarkerRecord, error)) {
    ReportMarkerFailure(marker, error, folderFailure);
    return false;
  }
  if (showHowToPlay) showHowToPlay();
  return true;
}

}  // namespace app

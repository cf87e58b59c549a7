#include "app/startup.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string_view>

#include "game/game_state.h"
#include "storage/record_text.h"

namespace app {
namespace {

constexpr std::string_view kMarkerRecord = "\"861104\"\r\n";

// Writes the marker; on failure returns the reason and leaves no half-written marker.
bool WriteMarker(const std::filesystem::path& path, std::string& reason) {
  std::FILE* file = storage::OpenToWrite(path);
  if (file == nullptr) {
    reason = std::strerror(errno);
    return false;
  }
  const bool written =
      std::fwrite(kMarkerRecord.data(), 1, kMarkerRecord.size(), file) == kMarkerRecord.size();
  const int writeError = errno;
  const bool closed = std::fclose(file) == 0;
  if (written && closed) return true;
  reason = std::strerror(written ? errno : writeError);
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
  return false;
}

}  // namespace

std::filesystem::path FirstRunMarkerPath(const std::filesystem::path& programFolder) {
  return programFolder / "fr.dat";
}

bool StartUp(const std::filesystem::path& programFolder, const std::function<void()>& showSplash,
             const std::function<void()>& showHowToPlay) {
  const std::filesystem::path marker = FirstRunMarkerPath(programFolder);
  std::error_code error;
  if (std::filesystem::exists(marker, error)) {
    game::FirstRunDone = game::kTrue;
    if (showSplash) showSplash();
    return true;
  }
  game::FirstRunDone = game::kFalse;
  std::string reason;
  if (!WriteMarker(marker, reason)) {
    std::cerr << "Zentorra cannot start: the first-run marker " << marker.string()
              << " could not be written (" << reason << ").\n";
    return false;
  }
  if (showHowToPlay) showHowToPlay();
  return true;
}

}  // namespace app

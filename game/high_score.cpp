// SPDX-License-Identifier: MIT
#include "game/high_score.h"

#include <limits>

#include "game/game_state.h"
#include "game/save_report.h"
#include "platform/files/files.h"
#include "platform/files/places.h"
#include "storage/score_file.h"

namespace game {
namespace {

// A copy that still holds the table after this long has hung: the screen is not kept
// frozen for it, and this result is written as it would be without the lock.
constexpr std::chrono::milliseconds kTableLockWait{2000};

}  // namespace

std::optional<std::int32_t> ScorePoints() {
  const std::int64_t points = std::int64_t{Score} * 100;
  if (points > std::numeric_limits<std::int32_t>::max() ||
      points < std::numeric_limits<std::int32_t>::min()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(points);
}

void EnterHighScore(std::int32_t points, const std::string& name) {
  for (int place = 0; place < kHighScoreCount; ++place) {
    if (points <= HighScoreValues[place]) continue;
    for (int j = kHighScoreCount - 1; j > place; --j) {
      HighScoreValues[j] = HighScoreValues[j - 1];
      HighScoreNames[j] = HighScoreNames[j - 1];
    }
    HighScoreValues[place] = points;
    HighScoreNames[place] = name;
    return;
  }
}

void RecordResult() {
  const auto path = storage::ScoreFilePath(platform::PlayerFolder());
  // Another copy of the game may have written the table since this one read it: the
  // result goes into the table as it now stands in the file, so no entry of theirs is lost,
  // and no copy writes between this one's reading and writing.
  const platform::files::FileLock turn(path.parent_path() / "score.lock", kTableLockWait);
  storage::ScoreTable table;
  if (storage::LoadScoreFile(path, table)) {
    HighScoreNames = table.names;
    HighScoreValues = table.values;
  }
  if (const auto points = ScorePoints()) EnterHighScore(*points, PlayerName);
  table.names = HighScoreNames;
  table.values = HighScoreValues;
  // The table in memory stays changed even when its file cannot be written.
  std::error_code error;
  if (!storage::SaveScoreFile(path, table, error))
    ReportSaveFailure("The high-score table", path, error);
}

}  // namespace game

#include "game/high_score.h"

#include <limits>

#include "game/game_state.h"
#include "platform/places.h"
#include "storage/score_file.h"

namespace game {

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
  if (const auto points = ScorePoints()) EnterHighScore(*points, PlayerName);
  storage::ScoreTable table;
  table.names = HighScoreNames;
  table.values = HighScoreValues;
  // A table file that cannot be written is skipped; the table in memory stays changed.
  storage::SaveScoreFile(storage::ScoreFilePath(platform::PlayerFolder()), table);
}

}  // namespace game

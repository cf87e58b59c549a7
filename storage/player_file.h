// The player's save file: four quoted numbers, one per CR LF line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace storage {

struct PlayerRecord {
  std::int32_t score = 0;  // units of 100 points
  std::int32_t hits = 0;
  std::int16_t rankIndex = 0;
  std::int16_t rankTier = 0;
};

// <program folder>/data/<name>.dat
std::filesystem::path PlayerFilePath(const std::filesystem::path& programFolder,
                                     const std::string& playerName);

// Reads the four fields into record. A field that is missing or not a number keeps the
// value record already holds; values are brought into range. False when the file
// cannot be opened (record unchanged).
bool LoadPlayerFile(const std::filesystem::path& path, PlayerRecord& record);

// Replaces the file atomically, creating the data folder when it is missing. False
// when it could not be written; an old file is then left intact.
bool SavePlayerFile(const std::filesystem::path& path, const PlayerRecord& record);

}  // namespace storage

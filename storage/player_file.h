// SPDX-License-Identifier: MIT
// The player's save file: four quoted numbers, one per CR LF line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

namespace storage {

// A save file is named <name>.dat; a longer name would not fit a file name of 255 bytes.
constexpr std::size_t kMaxNameLength = 251;

// The largest Score (units of 100 points) whose points, Score x 100, fit in 32 bits.
constexpr std::int32_t kMaxScore = 21474836;
// A loaded Score leaves room for the largest line (1500 points), so the first line after
// loading still counts; play beyond that stops at kMaxScore.
constexpr std::int32_t kMaxLoadedScore = kMaxScore - 15;

struct PlayerRecord {
  std::int32_t score = 0;  // units of 100 points
  std::int32_t hits = 0;
  std::int16_t rankIndex = 0;
  std::int16_t rankTier = 0;
};

// <program folder>/data/<name>.dat, or the file already there whose name differs from it
// only in letter case: names are told apart without regard to case, as file names are on
// the desktop the game was made for.
std::filesystem::path PlayerFilePath(const std::filesystem::path& programFolder,
                                     const std::string& playerName);

// Reads the four fields into record, each brought into its range. A field that is missing,
// not a number or too wide for its variable reads as 0. False when the file cannot be
// read (record unchanged).
bool LoadPlayerFile(const std::filesystem::path& path, PlayerRecord& record);

// Replaces the file atomically, creating the data folder when it is missing. False, with
// the reason in error, when it could not be written; an old file is then left intact.
bool SavePlayerFile(const std::filesystem::path& path, const PlayerRecord& record,
                    std::error_code& error);

}  // namespace storage

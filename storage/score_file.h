// SPDX-License-Identifier: MIT
// The high-score table file: eight entries of a quoted name line and a bare number line.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

namespace storage {

constexpr int kTableSize = 8;

struct ScoreTable {
  std::array<std::string, kTableSize> names;
  std::array<std::int32_t, kTableSize> values{};  // points
};

// <program folder>/data/score.dat
std::filesystem::path ScoreFilePath(const std::filesystem::path& programFolder);

// Reads the whole table as the file holds it: an entry the file lacks is empty, a value
// that is not a number (or too wide for 32 bits) reads as 0, and a name is cut to the
// longest name a player can enter. False when the file cannot be read (table unchanged).
bool LoadScoreFile(const std::filesystem::path& path, ScoreTable& table);

// Replaces the file atomically, creating the data folder when it is missing. False, with
// the reason in error, when it could not be written.
bool SaveScoreFile(const std::filesystem::path& path, const ScoreTable& table,
                   std::error_code& error);

}  // namespace storage

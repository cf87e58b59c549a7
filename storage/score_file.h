// The high-score table file: eight entries of a quoted name line and a bare number line.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace storage {

constexpr int kTableSize = 8;

struct ScoreTable {
  std::array<std::string, kTableSize> names;
  std::array<std::int32_t, kTableSize> values{};  // points
};

// <program folder>/data/score.dat
std::filesystem::path ScoreFilePath(const std::filesystem::path& programFolder);

// Reads the table; entries that cannot be read keep what table holds. False when the
// file cannot be opened (table unchanged).
bool LoadScoreFile(const std::filesystem::path& path, ScoreTable& table);

// Replaces the file atomically, creating the data folder when it is missing.
bool SaveScoreFile(const std::filesystem::path& path, const ScoreTable& table);

}  // namespace storage

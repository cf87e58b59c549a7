// SPDX-License-Identifier: MIT
#include "storage/score_file.h"

#include <algorithm>

#include "storage/player_file.h"
#include "storage/record_text.h"

namespace storage {

std::filesystem::path ScoreFilePath(const std::filesystem::path& programFolder) {
  return programFolder / "data" / "score.dat";
}

bool LoadScoreFile(const std::filesystem::path& path, ScoreTable& table) {
  std::string text;
  if (!ReadFileText(path, text)) return false;
  RecordReader reader(std::move(text));
  table = ScoreTable{};
  for (int i = 0; i < kTableSize; ++i) {
    const auto name = reader.ReadField();
    if (!name) break;
    table.names[i] = name->substr(0, kMaxNameLength);
    const auto value = reader.ReadField();
    if (!value) break;
    // A negative score cannot be earned.
    table.values[i] = std::max(FieldAs<std::int32_t>(*value).value_or(0), 0);
  }
  return true;
}

bool SaveScoreFile(const std::filesystem::path& path, const ScoreTable& table,
                   std::error_code& error) {
  RecordWriter writer;
  for (int i = 0; i < kTableSize; ++i) {
    writer.Quoted(table.names[i]);
    writer.Number(table.values[i]);
  }
  return ReplaceFileAtomically(path, writer.text(), error);
}

}  // namespace storage

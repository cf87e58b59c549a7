#include "storage/score_file.h"

#include <algorithm>

#include "storage/record_text.h"

namespace storage {

std::filesystem::path ScoreFilePath(const std::filesystem::path& programFolder) {
  return programFolder / "data" / "score.dat";
}

bool LoadScoreFile(const std::filesystem::path& path, ScoreTable& table) {
  std::string text;
  if (!ReadFileText(path, text)) return false;
  RecordReader reader(std::move(text));
  for (int i = 0; i < kTableSize; ++i) {
    const auto name = reader.ReadField();
    if (!name) break;
    table.names[i] = *name;
    const auto value = reader.ReadField();
    if (!value) break;
    // A negative score cannot be earned; a value too wide for 32 bits is not read.
    if (const auto points = FieldAs<std::int32_t>(*value)) table.values[i] = std::max(*points, 0);
  }
  return true;
}

bool SaveScoreFile(const std::filesystem::path& path, const ScoreTable& table) {
  RecordWriter writer;
  for (int i = 0; i < kTableSize; ++i) {
    writer.Quoted(table.names[i]);
    writer.Number(table.values[i]);
  }
  return ReplaceFileAtomically(path, writer.text());
}

}  // namespace storage

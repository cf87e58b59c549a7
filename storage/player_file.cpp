// SPDX-License-Identifier: MIT
#include "storage/player_file.h"

#include <algorithm>
#include <cstdint>

#include "platform/files/files.h"
#include "storage/record_text.h"

namespace storage {
namespace {

constexpr std::int16_t kMaxRankIndex = 24;
constexpr std::int16_t kMaxRankTier = 9;

// The next field brought into lo..hi; 0 when it is missing, not a number or too wide for
// the variable, so that nothing of an earlier game ever shows through.
template <typename T>
T ReadClamped(RecordReader& reader, T lo, T hi) {
  const auto field = reader.ReadField();
  const auto number = field ? FieldAs<T>(*field) : std::nullopt;
  return number ? std::clamp(*number, lo, hi) : T{0};
}

}  // namespace

std::filesystem::path PlayerFilePath(const std::filesystem::path& programFolder,
                                     const std::string& playerName) {
  const std::filesystem::path data = programFolder / "data";
  const std::string file = playerName + ".dat";
  return platform::files::FindIgnoringCase(data, file).value_or(data / file);
}

bool LoadPlayerFile(const std::filesystem::path& path, PlayerRecord& record) {
  std::string text;
  if (!ReadFileText(path, text)) return false;
  RecordReader reader(std::move(text));
  record.score = ReadClamped<std::int32_t>(reader, 0, kMaxLoadedScore);
  record.hits = ReadClamped<std::int32_t>(reader, 0, std::numeric_limits<std::int32_t>::max());
  record.rankIndex = ReadClamped<std::int16_t>(reader, 0, kMaxRankIndex);
  record.rankTier = ReadClamped<std::int16_t>(reader, 0, kMaxRankTier);
  return true;
}

bool SavePlayerFile(const std::filesystem::path& path, const PlayerRecord& record,
                    std::error_code& error) {
  RecordWriter writer;
  writer.Quoted(std::to_string(record.score));
  writer.Quoted(std::to_string(record.hits));
  writer.Quoted(std::to_string(record.rankIndex));
  writer.Quoted(std::to_string(record.rankTier));
  return ReplaceFileAtomically(path, writer.text(), error);
}

}  // namespace storage

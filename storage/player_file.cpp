#include "storage/player_file.h"

#include <algorithm>
#include <cstdint>

#include "storage/record_text.h"

namespace storage {
namespace {

// Keeps Score x 100 within 32 bits.
constexpr std::int32_t kMaxScore = 21474836;
constexpr std::int16_t kMaxRankIndex = 24;
constexpr std::int16_t kMaxRankTier = 9;

// Reads the next field into value, brought into lo..hi. A missing field, one that is not
// a number, or one too wide for the variable leaves value as it was.
template <typename T>
void ReadClamped(RecordReader& reader, T& value, T lo, T hi) {
  const auto field = reader.ReadField();
  if (!field) return;
  if (const auto number = FieldAs<T>(*field)) value = std::clamp(*number, lo, hi);
}

}  // namespace

std::filesystem::path PlayerFilePath(const std::filesystem::path& programFolder,
                                     const std::string& playerName) {
  return programFolder / "data" / (playerName + ".dat");
}

bool LoadPlayerFile(const std::filesystem::path& path, PlayerRecord& record) {
  std::string text;
  if (!ReadFileText(path, text)) return false;
  RecordReader reader(std::move(text));
  ReadClamped<std::int32_t>(reader, record.score, 0, kMaxScore);
  ReadClamped<std::int32_t>(reader, record.hits, 0, std::numeric_limits<std::int32_t>::max());
  ReadClamped<std::int16_t>(reader, record.rankIndex, 0, kMaxRankIndex);
  ReadClamped<std::int16_t>(reader, record.rankTier, 0, kMaxRankTier);
  return true;
}

bool SavePlayerFile(const std::filesystem::path& path, const PlayerRecord& record) {
  RecordWriter writer;
  writer.Quoted(std::to_string(record.score));
  writer.Quoted(std::to_string(record.hits));
  writer.Quoted(std::to_string(record.rankIndex));
  writer.Quoted(std::to_string(record.rankTier));
  return ReplaceFileAtomically(path, writer.text());
}

}  // namespace storage

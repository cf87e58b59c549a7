#include "storage/record_text.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cstdio>
#include <fstream>
#include <system_error>

#include "storage/code_page.h"

namespace storage {
namespace {

bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// True when the discarded fraction digits round the magnitude up (ties to even).
bool RoundsUp(std::string_view fraction, std::uint64_t magnitude) {
  if (fraction.empty() || fraction[0] < '5') return false;
  if (fraction[0] > '5') return true;
  for (const char d : fraction.substr(1))
    if (d != '0') return true;
  return magnitude % 2 == 1;
}

}  // namespace

std::optional<std::string> RecordReader::ReadField() {
  while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  if (pos_ >= text_.size()) return std::nullopt;
  std::string field;
  if (text_[pos_] == '"') {
    const std::size_t close = text_.find('"', pos_ + 1);
    const std::size_t end = close == std::string::npos ? text_.size() : close;
    field = text_.substr(pos_ + 1, end - pos_ - 1);
    pos_ = close == std::string::npos ? text_.size() : close + 1;
    SkipToSeparator();  // anything between the closing quote and the separator is dropped
  } else {
    const std::size_t start = pos_;
    SkipToSeparator();
    field = text_.substr(start, pos_ - start);
  }
  ConsumeSeparator();
  return FromCodePage(field);
}

void RecordReader::SkipToSeparator() {
  while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
}

void RecordReader::ConsumeSeparator() {
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == ',') {
    ++pos_;
    return;
  }
  // CR LF, or a lone CR or LF from a file edited elsewhere.
  if (text_[pos_] == '\r') ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
}

std::optional<std::int64_t> LeadingInteger(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '-' || field[i] == '+')) negative = field[i++] == '-';
  const std::size_t intStart = i;
  while (i < field.size() && IsDigit(field[i])) ++i;
  std::string_view whole = field.substr(intStart, i - intStart);
  std::string_view fraction;
  if (i < field.size() && field[i] == '.') {
    const std::size_t fracStart = ++i;
    while (i < field.size() && IsDigit(field[i])) ++i;
    fraction = field.substr(fracStart, i - fracStart);
  }
  if (whole.empty() && fraction.empty()) return std::nullopt;

  while (whole.size() > 1 && whole[0] == '0') whole.remove_prefix(1);
  if (whole.size() > 18) return std::nullopt;  // beyond any width a field is read into
  std::uint64_t magnitude = 0;
  for (const char d : whole) magnitude = magnitude * 10 + std::uint64_t(d - '0');
  if (RoundsUp(fraction, magnitude)) ++magnitude;
  const auto value = static_cast<std::int64_t>(magnitude);
  return negative ? -value : value;
}

void RecordWriter::Quoted(std::string_view text) {
  text_ += '"';
  for (const char c : ToCodePage(text))
    if (c != '"' && !IsLineEnd(c)) text_ += c;
  text_ += "\"\r\n";
}

void RecordWriter::Number(std::int64_t value) {
  text_ += std::to_string(value);
  text_ += "\r\n";
}

bool ReadFileText(const std::filesystem::path& path, std::string& text, std::size_t maxBytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(maxBytes, '\0');
  in.read(text.data(), std::streamsize(maxBytes));
  text.resize(std::size_t(in.gcount()));
  return !in.bad();
}

std::FILE* OpenToWrite(const std::filesystem::path& path) {
#ifdef _WIN32
  return ::_wfopen(path.c_str(), L"wb");
#else
  return std::fopen(path.c_str(), "wb");
#endif
}

namespace {

bool SyncToDisk(std::FILE* file) {
#ifdef _WIN32
  return ::_commit(::_fileno(file)) == 0;
#else
  return ::fsync(::fileno(file)) == 0;
#endif
}

bool WriteAndSync(const std::filesystem::path& path, std::string_view text) {
  std::FILE* file = OpenToWrite(path);
  if (file == nullptr) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  ok = std::fflush(file) == 0 && ok;
  ok = SyncToDisk(file) && ok;
  ok = std::fclose(file) == 0 && ok;
  std::error_code ignored;
  if (!ok) std::filesystem::remove(path, ignored);  // only ever our own temporary file
  return ok;
}

}  // namespace

bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view text) {
  std::error_code error;
  const std::filesystem::path folder = path.parent_path();
  if (!folder.empty() && !std::filesystem::is_directory(folder, error)) {
    std::filesystem::create_directory(folder, error);
    if (error) return false;
  }
  std::filesystem::path temporary = path;
  temporary += ".tmp";
  if (!WriteAndSync(temporary, text)) return false;
  std::filesystem::rename(temporary, path, error);
  if (!error) return true;
  std::filesystem::remove(temporary, error);
  return false;
}

}  // namespace storage

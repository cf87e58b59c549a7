// SPDX-License-Identifier: MIT
#include "storage/record_text.h"

#include "platform/files/files.h"

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

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

RecordReader::RecordReader(std::string text) : text_(std::move(text)) {
  if (text_.starts_with(kByteOrderMark)) pos_ = kByteOrderMark.size();
}

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
  // CR LF, a lone CR or LF, or CR CR LF from a file edited elsewhere.
  while (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
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
  std::error_code error;
  return platform::files::ReadFile(path, text, maxBytes, error);
}

bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view text,
                           std::error_code& error) {
  error.clear();
  const std::filesystem::path folder = path.parent_path();
  if (!folder.empty() && !std::filesystem::is_directory(folder, error)) {
    std::filesystem::create_directory(folder, error);
    if (error) return false;
  }
  return platform::files::ReplaceFile(path, text, error);
}

}  // namespace storage

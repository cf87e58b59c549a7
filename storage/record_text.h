// SPDX-License-Identifier: MIT
// The quoted-record text form shared by the save files: one field per line, strings in
// double quotes, numbers as bare or quoted decimal text, lines ending in CR LF, all in the
// desktop's code page (storage/code_page.h). Fields are UTF-8 in memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace storage {

// Reads fields one after another from a file's text.
class RecordReader {
 public:
  // A byte-order mark that an editor put before the first record is skipped.
  explicit RecordReader(std::string text);

  // The next field, or nothing when the text is used up. A field that starts with a
  // double quote runs to the next double quote (or the end of the text); any other field
  // runs to the next comma or line end. The comma or line end after it is consumed; a line
  // end is CR LF, a lone CR or LF, or the CR CR LF that some editors make of CR LF.
  std::optional<std::string> ReadField();

 private:
  void SkipToSeparator();
  void ConsumeSeparator();

  std::string text_;
  std::size_t pos_ = 0;
};

// The leading decimal number of a field ("-12.5kg" gives -12.5), rounded to the nearest
// integer with ties to the even one. Nothing when the text does not start with a number
// or the value does not fit in 64 bits.
std::optional<std::int64_t> LeadingInteger(std::string_view field);

// The same, but nothing unless the rounded value fits the variable's width T.
template <typename T>
std::optional<T> FieldAs(std::string_view field) {
  const auto value = LeadingInteger(field);
  if (!value || *value < std::numeric_limits<T>::min() || *value > std::numeric_limits<T>::max())
    return std::nullopt;
  return static_cast<T>(*value);
}

// Builds a file's text record by record.
class RecordWriter {
 public:
  // "text" CR LF. Quotes and line breaks cannot be stored inside a field, so they are
  // left out rather than let them break the file apart.
  void Quoted(std::string_view text);
  // The decimal text, bare: 1200 CR LF.
  void Number(std::int64_t value);
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// Reads at most maxBytes of a regular file. False when it cannot be opened or read.
bool ReadFileText(const std::filesystem::path& path, std::string& text,
                  std::size_t maxBytes = 1 << 20);

// Replaces the file at path with text, so that it holds either the old or the new content
// (see platform/files/files.h). Creates the parent folder when it is missing (but not its
// parents). False, with any old file intact and the reason in error, on failure.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view text,
                           std::error_code& error);

}  // namespace storage

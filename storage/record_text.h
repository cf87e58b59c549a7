// The quoted-record text form shared by the save files: one field per line, strings in
// double quotes, numbers as bare or quoted decimal text, lines ending in CR LF, all in the
// desktop's code page (storage/code_page.h). Fields are UTF-8 in memory.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace storage {

// Reads fields one after another from a file's text.
class RecordReader {
 public:
  explicit RecordReader(std::string text) : text_(std::move(text)) {}

  // The next field, or nothing when the text is used up. A field that starts with a
  // double quote runs to the next double quote (or the end of the text); any other field
  // runs to the next comma or line end. The comma or line end after it is consumed.
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

// Opens a file to write its bytes from the start, by its full name whatever characters
// the name holds. nullptr with errno set on failure.
std::FILE* OpenToWrite(const std::filesystem::path& path);

// Reads at most maxBytes of a file. False when it cannot be opened.
bool ReadFileText(const std::filesystem::path& path, std::string& text,
                  std::size_t maxBytes = 1 << 20);

// Writes text to a temporary file beside path, flushes it to disk and renames it over
// path, so the file holds either the old or the new content. Creates the parent folder
// when it is missing (but not its parents). False, with any old file intact, on failure.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view text);

}  // namespace storage

// SPDX-License-Identifier: MIT
// The file operations of platform/files/files.h that read the same on every system: reading a
// whole file and finding a name without regard to letter case, on top of what each system
// answers in a file of its own (files_os.h).
#include "platform/files/files.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <random>

#include "platform/files/files_os.h"

namespace platform::files {
namespace detail {
namespace {

class NotRegularCategory final : public std::error_category {
 public:
  const char* name() const noexcept override { return "zentorra.files"; }
  std::string message(int) const override { return "Not a regular file"; }
};

}  // namespace

std::error_code NotRegularFile() {
  static const NotRegularCategory category;
  return {1, category};
}

constexpr std::string_view kTemporaryPrefix = ".zentorra-";
constexpr std::size_t kTemporaryDigits = 8;

std::string TemporaryName() {
  // The clock and where this process's data lies (different in every process) seed it.
  static std::mt19937_64 generator(
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      (static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(&generator)) << 16));
  static constexpr char kDigits[] = "0123456789abcdef";
  std::uint64_t bits = generator();
  std::string name(kTemporaryPrefix);
  for (std::size_t i = 0; i < kTemporaryDigits; ++i, bits >>= 4) name += kDigits[bits & 15];
  return name;
}

bool IsTemporaryName(const std::filesystem::path& name) {
  const std::string text = name.string();
  return text.size() == kTemporaryPrefix.size() + kTemporaryDigits &&
         text.starts_with(kTemporaryPrefix) &&
         std::all_of(text.begin() + kTemporaryPrefix.size(), text.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

}  // namespace detail

namespace {

// Compares the system's own spelling of names (bytes on Linux, UTF-16 on Windows), so
// that no name on the disk has to be converted.
template <typename Char>
bool EqualIgnoringCase(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
  auto lower = [](Char c) { return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](Char x, Char y) { return lower(x) == lower(y); });
}

}  // namespace

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return EqualIgnoringCase(a, b);
}

bool ReadFile(const std::filesystem::path& path, std::string& text, std::size_t maxBytes,
              std::error_code& error) {
  std::FILE* stream = OpenForReading(path, error);
  if (!stream) return false;
  text.resize(maxBytes);
  text.resize(std::fread(text.data(), 1, maxBytes, stream));
  const bool ok = !std::ferror(stream);
  if (!ok) error = std::make_error_code(std::errc::io_error);
  std::fclose(stream);
  return ok;
}

void RemoveLeftoverTemporaries(const std::filesystem::path& folder) {
  // A running writer finishes within moments; a minute keeps well clear of one that has
  // only just created its file and not yet taken hold of it.
  const auto before = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1);
  std::error_code error;
  std::filesystem::directory_iterator entry(folder, error);
  for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
    if (!detail::IsTemporaryName(entry->path().filename())) continue;
    std::error_code ignored;
    const auto written = std::filesystem::last_write_time(entry->path(), ignored);
    if (!ignored && written < before) detail::RemoveIfUnheld(entry->path());
  }
}

std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& folder,
                                                      std::string_view name) {
  using Native = std::filesystem::path::string_type;
  const Native wanted = std::filesystem::path(name).native();
  std::error_code error;
  std::filesystem::directory_iterator entry(folder, error);
  std::optional<Native> found;
  for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
    const Native entryName = entry->path().filename().native();
    if (entryName == wanted) {
      found = entryName;
      break;
    }
    // Of several spellings, the same one every time.
    if (EqualIgnoringCase<Native::value_type>(entryName, wanted) && (!found || entryName < *found))
      found = entryName;
  }
  if (!found) return std::nullopt;
  return folder / *found;
}

}  // namespace platform::files

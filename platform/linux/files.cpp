// The file operations of platform/files.h on Linux.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <random>

namespace platform::files {
namespace {

std::error_code LastError() {
  return {errno, std::system_category()};
}

// The reason given for a named pipe, a device or a socket where a file was expected.
class NotRegularCategory final : public std::error_category {
 public:
  const char* name() const noexcept override { return "zentorra.files"; }
  std::string message(int) const override { return "Not a regular file"; }
};

std::error_code NotRegularFile() {
  static const NotRegularCategory category;
  return {1, category};
}

// Names for temporary files that another program cannot guess ahead of time; the
// exclusive creation is what makes them safe, this only keeps collisions rare.
std::string TemporaryName() {
  static std::mt19937_64 generator(
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      (static_cast<std::uint64_t>(::getpid()) << 32));
  static constexpr char kDigits[] = "0123456789abcdef";
  std::uint64_t bits = generator();
  std::string name = ".zentorra-";
  for (int i = 0; i < 8; ++i, bits >>= 4) name += kDigits[bits & 15];
  return name;
}

// A new file in folder that did not exist before: O_EXCL fails on anything already at
// the name, a link included, so nothing is ever written through one.
int CreateTemporary(const std::filesystem::path& folder, std::filesystem::path& created,
                    std::error_code& error) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    created = folder / TemporaryName();
    const int fd =
        ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) break;
  }
  error = LastError();
  return -1;
}

bool WriteAll(int fd, std::string_view text, std::error_code& error) {
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      error = written < 0 ? LastError() : std::make_error_code(std::errc::io_error);
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Writes, flushes to the disk and closes; a full disk may only show at the flush or close.
bool WriteAndClose(int fd, std::string_view text, std::error_code& error) {
  bool ok = WriteAll(fd, text, error);
  if (ok && ::fsync(fd) != 0) {
    error = LastError();
    ok = false;
  }
  if (::close(fd) != 0 && ok) {
    error = LastError();
    ok = false;
  }
  return ok;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::FILE* OpenForReading(const std::filesystem::path& path, std::error_code& error) {
  error.clear();
  // Without O_NONBLOCK, opening a named pipe waits for a writer, for ever.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    error = LastError();
    return nullptr;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    error = LastError();
  } else if (!S_ISREG(status.st_mode)) {
    error = S_ISDIR(status.st_mode) ? std::make_error_code(std::errc::is_a_directory)
                                    : NotRegularFile();
  }
  if (error) {
    ::close(fd);
    return nullptr;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::FILE* stream = ::fdopen(fd, "rb");
  if (!stream) {
    error = LastError();
    ::close(fd);
  }
  return stream;
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

bool ReplaceFile(const std::filesystem::path& path, std::string_view text, std::error_code& error) {
  error.clear();
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  std::filesystem::path temporary;
  const int fd = CreateTemporary(folder, temporary, error);
  if (fd < 0) return false;
  if (WriteAndClose(fd, text, error)) {
    if (::rename(temporary.c_str(), path.c_str()) == 0) return true;
    error = LastError();
  }
  ::unlink(temporary.c_str());
  return false;
}

std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& folder,
                                                      std::string_view name) {
  DIR* directory = ::opendir(folder.c_str());
  if (!directory) return std::nullopt;
  std::optional<std::string> found;
  while (const dirent* entry = ::readdir(directory)) {
    const std::string_view entryName = entry->d_name;
    if (entryName == name) {
      found = entryName;
      break;
    }
    // Of several spellings, the same one every time.
    if (EqualIgnoringCase(entryName, name) && (!found || entryName < *found)) found = entryName;
  }
  ::closedir(directory);
  if (!found) return std::nullopt;
  return folder / *found;
}

}  // namespace platform::files

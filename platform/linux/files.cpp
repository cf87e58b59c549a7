// The file operations of platform/files/files.h that Linux answers in its own way: opening
// only regular files, and replacing a file through an exclusive temporary one.
#include "platform/files/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/files_os.h"

namespace platform::files {
namespace {

std::error_code LastError() {
  return {errno, std::system_category()};
}

// A new file in folder that did not exist before: O_EXCL fails on anything already at
// the name, a link included, so nothing is ever written through one.
int CreateTemporary(const std::filesystem::path& folder, std::filesystem::path& created,
                    std::error_code& error) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    created = folder / detail::TemporaryName();
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
                                    : detail::NotRegularFile();
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

bool IsDeviceName(std::string_view /*name*/) {
  return false;
}

}  // namespace platform::files

// SPDX-License-Identifier: MIT
// The file operations of platform/files/files.h that Linux answers in its own way: opening
// only regular files, replacing a file through an exclusive temporary one, and the
// advisory locks (flock) that tell a file being written and the copies' turns.
#include "platform/files/files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

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

// Writes and flushes to the disk; a full disk may only show at the flush.
bool WriteAndSync(int fd, std::string_view text, std::error_code& error) {
  if (!WriteAll(fd, text, error)) return false;
  if (::fsync(fd) == 0) return true;
  error = LastError();
  return false;
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
  // Held until the file has its final name, so that no other copy takes it for a leftover.
  // Nobody else holds a file just made: this never waits.
  ::flock(fd, LOCK_EX | LOCK_NB);
  bool ok = WriteAndSync(fd, text, error);
  if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
    error = LastError();
    ok = false;
  }
  if (!ok) ::unlink(temporary.c_str());
  ::close(fd);  // after the flush nothing is left for the close to report
  return ok;
}

namespace detail {

void RemoveIfUnheld(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return;
  struct stat opened {
  }, named{};
  // Removed only while this process holds it, and only if the name still means that file.
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
      ::lstat(path.c_str(), &named) == 0 && named.st_dev == opened.st_dev &&
      named.st_ino == opened.st_ino)
    ::unlink(path.c_str());
  ::close(fd);
}

}  // namespace detail

FileLock::FileLock(const std::filesystem::path& path, std::chrono::milliseconds wait) {
  const int fd =
      ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) return;
  handle_ = fd;
  // Polled rather than blocking: a blocking flock cannot be given a time limit.
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      held_ = true;
      return;
    }
    if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline)
      return;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

FileLock::~FileLock() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));  // and the hold with it
}

bool IsDeviceName(std::string_view /*name*/) {
  return false;
}

}  // namespace platform::files

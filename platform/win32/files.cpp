// SPDX-License-Identifier: MIT
// The file operations of platform/files/files.h that Windows answers in its own way, on the
// desktop's calls with wide-character paths: opening only files on a disk, and replacing
// a file through an exclusive temporary one.
#include "platform/files/files.h"

#include "platform/files/files_os.h"

// After the layer's headers: the desktop's headers define some of their names as macros.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>
#include <thread>

// The desktop's ReplaceFileW goes by this name too; here it is ours.
#undef ReplaceFile

namespace platform::files {
namespace {

std::error_code LastError() {
  return {static_cast<int>(GetLastError()), std::system_category()};
}

bool IsFolder(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Why an open handle is not a file to read: a folder, or a pipe, a console or another
// device (GetFileType tells them from files on a disk). Nothing for a file.
std::error_code NotAFile(HANDLE handle) {
  if (GetFileType(handle) != FILE_TYPE_DISK) return detail::NotRegularFile();
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(handle, &information)) return LastError();
  if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
    return std::make_error_code(std::errc::is_a_directory);
  return {};
}

// A new file in folder that did not exist before: CREATE_NEW fails on anything already at
// the name, and with FILE_FLAG_OPEN_REPARSE_POINT a link there counts as that name, so
// nothing is ever written through one.
HANDLE CreateTemporary(const std::filesystem::path& folder, std::filesystem::path& created,
                       std::error_code& error) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    created = folder / detail::TemporaryName();
    HANDLE file = CreateFileW(created.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    const DWORD reason = GetLastError();
    if (reason != ERROR_FILE_EXISTS && reason != ERROR_ALREADY_EXISTS) break;
  }
  error = LastError();
  return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, std::string_view text, std::error_code& error) {
  while (!text.empty()) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, text.data(), piece, &written, nullptr) || written == 0) {
      error = written == 0 && GetLastError() == ERROR_SUCCESS
                  ? std::make_error_code(std::errc::io_error)
                  : LastError();
      return false;
    }
    text.remove_prefix(written);
  }
  return true;
}

// Writes, flushes to the disk and closes; a full disk may only show at the flush.
bool WriteAndClose(HANDLE file, std::string_view text, std::error_code& error) {
  bool ok = WriteAll(file, text, error);
  if (ok && !FlushFileBuffers(file)) {
    error = LastError();
    ok = false;
  }
  if (!CloseHandle(file) && ok) {
    error = LastError();
    ok = false;
  }
  return ok;
}

}  // namespace

std::FILE* OpenForReading(const std::filesystem::path& path, std::error_code& error) {
  error.clear();
  // FILE_FLAG_BACKUP_SEMANTICS opens a folder too, so that it is told apart by its handle.
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = LastError();
    return nullptr;
  }
  error = NotAFile(file);
  const int fd =
      error ? -1 : _open_osfhandle(reinterpret_cast<std::intptr_t>(file), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    if (!error) error = std::make_error_code(std::errc::too_many_files_open);
    CloseHandle(file);
    return nullptr;
  }
  std::FILE* stream = _fdopen(fd, "rb");
  if (!stream) {
    error = std::error_code(errno, std::generic_category());
    _close(fd);  // and the handle with it
  }
  return stream;
}

bool ReplaceFile(const std::filesystem::path& path, std::string_view text, std::error_code& error) {
  error.clear();
  // Windows would only say "access denied" for a folder in the file's place.
  if (IsFolder(path)) {
    error = std::make_error_code(std::errc::is_a_directory);
    return false;
  }
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  std::filesystem::path temporary;
  HANDLE file = CreateTemporary(folder, temporary, error);
  if (file == INVALID_HANDLE_VALUE) return false;
  if (WriteAndClose(file, text, error)) {
    if (MoveFileExW(temporary.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    error = LastError();
  }
  DeleteFileW(temporary.c_str());
  return false;
}

namespace detail {

// A temporary file is opened for writing without sharing: deleting it fails while its
// writer has it open.
void RemoveIfUnheld(const std::filesystem::path& path) {
  DeleteFileW(path.c_str());
}

}  // namespace detail

FileLock::FileLock(const std::filesystem::path& path, std::chrono::milliseconds wait) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  handle_ = reinterpret_cast<std::intptr_t>(file);
  // Polled rather than blocking: a blocking LockFileEx cannot be given a time limit.
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    OVERLAPPED whole{};
    if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
      held_ = true;
      return;
    }
    if (GetLastError() != ERROR_LOCK_VIOLATION || std::chrono::steady_clock::now() >= deadline)
      return;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

FileLock::~FileLock() {
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));  // and the hold with it
}

bool IsDeviceName(std::string_view name) {
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  std::string word(name);
  std::transform(word.begin(), word.end(), word.begin(), upper);
  if (word == "CON" || word == "PRN" || word == "AUX" || word == "NUL") return true;
  return word.size() == 4 && (word.starts_with("COM") || word.starts_with("LPT")) &&
         word[3] >= '0' && word[3] <= '9';
}

}  // namespace platform::files

// SPDX-License-Identifier: MIT
// The file operations whose safe form depends on the operating system: reading only
// regular files, without ever waiting on a named pipe or a device that stands in a file's
// place; replacing a file atomically through a temporary file of its own; and finding a
// file by name without regard to letter case. Failures come back as error codes, never as
// exceptions. files.cpp implements what reads the same on every system, linux/files.cpp
// and win32/files.cpp the rest.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace platform::files {

// Opens a regular file for reading. Anything else at the path (a folder, a named pipe, a
// device) is refused at once, as a file that cannot be read. nullptr on failure, with the
// reason in error; the caller closes the stream.
std::FILE* OpenForReading(const std::filesystem::path& path, std::error_code& error);

// Reads at most maxBytes of a regular file into text. False, with the reason, when it
// cannot be opened or read.
bool ReadFile(const std::filesystem::path& path, std::string& text, std::size_t maxBytes,
              std::error_code& error);

// Replaces the file at path with text: writes a new temporary file in the same folder,
// created exclusively under a short name of its own (never through a link planted there),
// flushes it to the disk and renames it over path. On failure the old file is intact, no
// temporary file is left behind, and error holds the reason.
bool ReplaceFile(const std::filesystem::path& path, std::string_view text, std::error_code& error);

// Removes from folder the temporary files of ReplaceFile that a process ended in the
// middle of a write left behind: only those untouched for a minute that no running copy
// is still writing.
void RemoveLeftoverTemporaries(const std::filesystem::path& folder);

// An exclusive hold on the lock file at path (created when missing), so that copies of
// the game running at once take turns at a file they all read and write. Only those that
// ask for the hold wait for it; it ends with the object or with the process. A copy that
// cannot have it within the wait goes on without it rather than hang.
class FileLock {
 public:
  FileLock(const std::filesystem::path& path, std::chrono::milliseconds wait);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool Held() const { return held_; }

 private:
  std::intptr_t handle_ = -1;  // the system's handle of the open lock file
  bool held_ = false;
};

// The entry of folder whose name equals name without regard to ASCII letter case, an
// exact match first. Nothing when there is none or the folder cannot be read.
std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& folder,
                                                      std::string_view name);

// Whether two file names are the same without regard to ASCII letter case, as names are
// told apart on the desktop the game was made for.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// Whether the system keeps name (a file name without its extension) for a device, so that
// no file of that name can be read or written in any folder: on Windows CON, PRN, AUX,
// NUL, COM0 to COM9 and LPT0 to LPT9 in any letter case. No name on Linux.
bool IsDeviceName(std::string_view name);

}  // namespace platform::files

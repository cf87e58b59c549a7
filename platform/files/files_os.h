// SPDX-License-Identifier: MIT
// Inside the file operations: what each system's own file (linux/files.cpp,
// win32/files.cpp) takes from the part that reads the same everywhere (files.cpp).
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace platform::files::detail {

// The reason given for a named pipe, a device or a socket where a file was expected.
std::error_code NotRegularFile();

// A short name for a temporary file, hard to guess ahead of time. The exclusive creation
// is what makes such a file safe; the name only keeps collisions rare.
std::string TemporaryName();
// Whether a name is one that TemporaryName gives.
bool IsTemporaryName(const std::filesystem::path& name);

// Deletes the file at path unless a running process still has it open for writing.
void RemoveIfUnheld(const std::filesystem::path& path);

}  // namespace platform::files::detail

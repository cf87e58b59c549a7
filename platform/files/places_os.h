// SPDX-License-Identifier: MIT
// What the operating system tells the places module. Each system answers in a file of
// its own (linux/places.cpp); the decision made from the answers is the same everywhere.
#pragma once

#include <filesystem>

#include "platform/files/places.h"

namespace platform::detail {

// The folder that holds the running program file.
std::filesystem::path ExecutableFolder();

// Whether this user may create files in the folder.
bool MayWriteIn(const std::filesystem::path& folder);

// The game's folder among the user's own application data; empty when the system names
// no such place.
std::filesystem::path PerUserFolder();

// Creates the folder and any missing parents, readable by this user alone. False when it
// does not exist afterwards, with the step that failed and its reason in failure.
bool MakePrivateFolder(const std::filesystem::path& folder, FolderFailure& failure);

}  // namespace platform::detail

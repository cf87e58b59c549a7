// SPDX-License-Identifier: MIT
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace zt_test {

namespace fs = std::filesystem;

namespace {

// Gives back the rights a test took from its folders, so that they can be removed.
void MakeRemovable(const fs::path& folder) {
  std::error_code ignored;
  fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
  for (const auto& entry : fs::directory_iterator(folder, ignored)) {
    if (entry.is_directory(ignored) && !entry.is_symlink(ignored)) MakeRemovable(entry.path());
  }
}

}  // namespace

TempFolder::TempFolder(const std::string& prefix) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = prefix + "_" + std::to_string(::getpid());
  if (info != nullptr) name += std::string("_") + info->test_suite_name() + "_" + info->name();
  for (char& c : name) {
    if (c == '/') c = '_';  // parameterised tests
  }
  path_ = fs::temp_directory_path() / name;
  fs::remove_all(path_);
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  MakeRemovable(path_);
  fs::remove_all(path_, ignored);
}

}  // namespace zt_test

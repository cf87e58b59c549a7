// SPDX-License-Identifier: MIT
// A fresh program folder per test, removed afterwards.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace storage {

class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(folder_ / "data"); }

  static void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // The names in a folder, sorted.
  static std::vector<std::string> Entries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  zt_test::TempFolder temp_{"zt_storage"};
  const std::filesystem::path& folder_ = temp_.Path();
};

#ifndef _WIN32
// A reader that waits for ever on a named pipe would hang the test: end it instead.
class NoWaitingForEver {
 public:
  NoWaitingForEver() { ::alarm(10); }
  ~NoWaitingForEver() { ::alarm(0); }
};
#endif

}  // namespace storage

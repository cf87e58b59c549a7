// SPDX-License-Identifier: MIT
// A fresh empty folder for one test, named after the test and this process so that
// parallel runs never share one, and removed with everything in it when the helper goes,
// whatever permissions the test took away.
#pragma once

#include <filesystem>
#include <string>

namespace zt_test {

class TempFolder {
 public:
  // prefix tells the tests' folders apart in the temporary folder ("zt_game", ...).
  explicit TempFolder(const std::string& prefix);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace zt_test

// SPDX-License-Identifier: MIT
// A fresh headless platform, fresh shared state and a fresh program folder for every
// screen test: the folder links to the built pictures and sounds and holds nothing else.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "gfx/surface.h"
#include "platform/ui/form.h"
#include "tests/support/headless_test.h"
#include "tests/support/temp_folder.h"

namespace app_test {

class AppTest : public zt_test::HeadlessTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Clicks the middle of a control as the player would.
  static void ClickOn(const platform::Control& control);
  // Every file under the program folder, except the linked pictures and sounds.
  std::set<std::string> WrittenFiles() const;
  void WriteFile(const std::filesystem::path& relative, const std::string& content) const;
  std::string ReadFile(const std::filesystem::path& relative) const;

  zt_test::TempFolder temp_{"zt_app"};
  const std::filesystem::path& folder_ = temp_.Path();
};

// The w x h part of a picture at (x, y), for comparing regions of frames.
gfx::Surface Crop(const gfx::Surface& picture, int x, int y, int w, int h);

}  // namespace app_test

// SPDX-License-Identifier: MIT
// What Windows says to the places module: the program file's folder, whether a folder
// takes new files, and the player's folder among the user's application data.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files/places_os.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace platform::detail;

TEST(Win32PlacesTest, TheProgramFoldersAnswers) {
  EXPECT_TRUE(fs::exists(ExecutableFolder() / "platform_tests.exe"));
  const zt_test::TempFolder temp("zt_win32_places");
  const fs::path folder = temp.Path() / "missing";
  EXPECT_FALSE(MayWriteIn(folder));
  platform::FolderFailure failure;
  ASSERT_TRUE(MakePrivateFolder(folder / "Zentorra" / "data", failure));
  EXPECT_TRUE(MayWriteIn(folder / "Zentorra"));
  EXPECT_TRUE(fs::is_empty(folder / "Zentorra" / "data"));  // the probe leaves nothing
}

TEST(Win32PlacesTest, ThePlayersFolderIsTheGamesAmongTheRoamingApplicationData) {
  const fs::path folder = PerUserFolder();
  EXPECT_EQ(folder.filename(), "Zentorra");
  EXPECT_TRUE(fs::is_directory(folder.parent_path())) << folder.string();
}

}  // namespace

// SPDX-License-Identifier: MIT
// Where the game's files go: beside the program while it is the player's own writable
// copy, in the player's data folder otherwise; and what Linux names as that folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/files/places.h"
#include "platform/files/places_os.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;
using platform::detail::ChoosePlaces;

namespace {

class PlacesTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(program_); }
  void TearDown() override {
    Restore("HOME", home_);
    Restore("XDG_DATA_HOME", dataHome_);
  }
  static std::optional<std::string> Saved(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
  }
  static void Restore(const char* name, const std::optional<std::string>& value) {
    if (value)
      setenv(name, value->c_str(), 1);
    else
      unsetenv(name);
  }

  zt_test::TempFolder temp_{"zt_places"};
  const fs::path& root_ = temp_.Path();
  fs::path program_ = root_ / "program";
  fs::path installed_ = root_ / "share" / "zentorra";
  fs::path perUser_ = root_ / "home" / "zentorra";
  std::optional<std::string> home_ = Saved("HOME"), dataHome_ = Saved("XDG_DATA_HOME");
};

TEST_F(PlacesTest, CopyWithItsAssetsKeepsThePlayersFilesBesideItWhileItIsWritable) {
  fs::create_directory(program_ / "resources");
  const auto own = ChoosePlaces(program_, true, installed_, perUser_);
  EXPECT_EQ(own.assets, program_);
  EXPECT_EQ(own.player, program_);

  const auto readOnly = ChoosePlaces(program_, false, installed_, perUser_);
  EXPECT_EQ(readOnly.assets, program_);
  EXPECT_EQ(readOnly.player, perUser_);

  // Without any per-user place the program folder is the only one left to try.
  EXPECT_EQ(ChoosePlaces(program_, false, installed_, {}).player, program_);

  // An installer's copy keeps its assets beside it but the player's files per user, so an
  // upgrade or an uninstall never touches them.
  std::FILE* marker = std::fopen((program_ / platform::kInstalledMarker).string().c_str(), "w");
  ASSERT_NE(marker, nullptr);
  std::fclose(marker);
  const auto installedCopy = ChoosePlaces(program_, true, installed_, perUser_);
  EXPECT_EQ(installedCopy.assets, program_);
  EXPECT_EQ(installedCopy.player, perUser_);
}

TEST_F(PlacesTest, InstalledProgramReadsTheDataFolderAndWritesPerUserEvenWhereItMayWrite) {
  // As root, /usr/bin is writable; it is still no place for a player's files.
  const auto places = ChoosePlaces(program_, true, installed_, perUser_);
  EXPECT_EQ(places.assets, installed_);
  EXPECT_EQ(places.player, perUser_);
}

TEST_F(PlacesTest, PerUserFolderFollowsTheXdgConvention) {
  setenv("HOME", "/home/ann", 1);
  setenv("XDG_DATA_HOME", "/data/ann", 1);
  EXPECT_EQ(platform::detail::PerUserFolder(), fs::path("/data/ann/zentorra"));
  setenv("XDG_DATA_HOME", "relative/data", 1);  // invalid: ignored
  EXPECT_EQ(platform::detail::PerUserFolder(), fs::path("/home/ann/.local/share/zentorra"));
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(platform::detail::PerUserFolder(), fs::path("/home/ann/.local/share/zentorra"));
}

TEST_F(PlacesTest, MakePrivateFolderCreatesTheMissingFoldersForTheUserAlone) {
  const fs::path data = perUser_ / "data";
  platform::FolderFailure failure;
  ASSERT_TRUE(platform::detail::MakePrivateFolder(data, failure));
  for (const fs::path& made : {perUser_.parent_path(), perUser_, data}) {
    struct stat info {};
    ASSERT_EQ(stat(made.c_str(), &info), 0) << made;
    EXPECT_EQ(info.st_mode & 0777, 0700u) << made;
  }
  EXPECT_TRUE(platform::detail::MakePrivateFolder(data, failure));  // already there
  std::FILE* file = std::fopen((root_ / "plain").c_str(), "w");
  std::fclose(file);
  // The step that failed is named, not the folder at the end of the way.
  EXPECT_FALSE(platform::detail::MakePrivateFolder(root_ / "plain" / "data" / "more", failure));
  EXPECT_EQ(failure.folder, root_ / "plain" / "data");
  EXPECT_EQ(failure.error, std::errc::not_a_directory);
  EXPECT_FALSE(platform::detail::MakePrivateFolder(root_ / "plain", failure));
  EXPECT_EQ(failure.folder, root_ / "plain");
  EXPECT_EQ(failure.error, std::errc::not_a_directory);
}

}  // namespace

// SPDX-License-Identifier: MIT
#include "app/startup.h"

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "game/game_state.h"
#include "platform/headless/headless.h"
#include "tests/support/headless_test.h"
#include "tests/support/temp_folder.h"

namespace app {
namespace {

class StartUpTest : public zt_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();  // a fresh platform: no message boxes of an earlier test
    game::ResetSharedState();
  }

  bool Start(const std::filesystem::path& folder) {
    return StartUp(
        folder, folderFailure_, [this] { shown_ += "splash;"; }, [this] { shown_ += "howto;"; });
  }
  static std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // Expects a failed start that names the marker file and the reason, on stderr and in a
  // message box (a player who started it from a desktop launcher sees no terminal), and
  // shows no screen.
  void ExpectFailure(const std::filesystem::path& folder, const std::string& reason) {
    ExpectReport(folder, "the first-run marker " + (folder / "fr.dat").string() +
                             " could not be written (" + reason + ").");
  }
  void ExpectReport(const std::filesystem::path& folder, const std::string& cause) {
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Start(folder));
    const std::string message = ::testing::internal::GetCapturedStderr();
    const std::string report = "Zentorra cannot start: " + cause;
    EXPECT_NE(message.find(report), std::string::npos) << message;
    const auto& boxes = platform::headless::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, report);
    EXPECT_EQ(boxes[0].title, "Zentorra");
    EXPECT_EQ(shown_, "");
    EXPECT_EQ(game::FirstRunDone, game::kFalse);
  }

  zt_test::TempFolder temp_{"zt_startup"};
  const std::filesystem::path& folder_ = temp_.Path();
  std::optional<platform::FolderFailure> folderFailure_;
  std::string shown_;
};

TEST_F(StartUpTest, FirstRunWritesTheMarkerAndShowsHowToPlay) {
  game::FirstRunDone = game::kTrue;
  EXPECT_TRUE(Start(folder_));
  EXPECT_EQ(shown_, "howto;");
  EXPECT_EQ(game::FirstRunDone, game::kFalse);
  EXPECT_EQ(ReadBytes(folder_ / "fr.dat"), "\"861104\"\r\n");
}

#ifndef _WIN32  // Wine cannot make links
// A dangling link at the marker's name is replaced by the marker, never written through.
TEST_F(StartUpTest, ALinkAtTheMarkersNameIsNotFollowed) {
  std::filesystem::create_directory(folder_ / "elsewhere");
  std::filesystem::create_symlink(folder_ / "elsewhere" / "target", folder_ / "fr.dat");
  EXPECT_TRUE(Start(folder_));
  EXPECT_EQ(shown_, "howto;");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "elsewhere" / "target"));
  EXPECT_EQ(ReadBytes(folder_ / "fr.dat"), "\"861104\"\r\n");
}
#endif

TEST_F(StartUpTest, LaterRunShowsSplashAndLeavesAnyMarkerUntouched) {
  std::ofstream(folder_ / "fr.dat").close();  // empty
  // And what an earlier run's interrupted save left goes.
  std::filesystem::create_directory(folder_ / "data");
  const auto leftover = folder_ / "data" / ".zentorra-0123abcd";
  std::ofstream(leftover).close();
  std::filesystem::last_write_time(
      leftover, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  EXPECT_TRUE(Start(folder_));
  EXPECT_FALSE(std::filesystem::exists(leftover));
  EXPECT_EQ(shown_, "splash;");
  EXPECT_EQ(game::FirstRunDone, game::kTrue);
  EXPECT_EQ(ReadBytes(folder_ / "fr.dat"), "");
  shown_.clear();
  EXPECT_TRUE(Start(folder_));  // the second start after a first run
  EXPECT_EQ(shown_, "splash;");
}

TEST_F(StartUpTest, UnwritableFolderFailsWithTheFileAndReason) {
  // Root writes through permission bits, so a "folder" that is a plain file stands in.
  std::ofstream(folder_ / "program").close();
#ifdef _WIN32  // in the system's own words: the path was not found (ERROR_PATH_NOT_FOUND)
  ExpectFailure(folder_ / "program", std::error_code(3, std::system_category()).message());
#else
  ExpectFailure(folder_ / "program", "Not a directory");
#endif
}

// A player's folder that could not be made is named with the reason of the step that
// failed; the marker's own error would only say that the folder is not there.
TEST_F(StartUpTest, AFolderThatCouldNotBeMadeIsNamedWithItsReason) {
  const auto home = folder_ / "home";
  folderFailure_ =
      platform::FolderFailure{home / ".local", std::make_error_code(std::errc::permission_denied)};
  ExpectReport(home / ".local" / "share" / "zentorra",
               "the folder " + (home / ".local").string() + " could not be created (" +
                   std::make_error_code(std::errc::permission_denied).message() + ").");
}

// A folder's read-only attribute does not stop writes into it on Windows.
#ifndef _WIN32
TEST_F(StartUpTest, ReadOnlyFolderFailsWithTheFileAndReason) {
  if (::geteuid() == 0) GTEST_SKIP() << "permission bits do not stop root";
  std::filesystem::permissions(folder_, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  ExpectFailure(folder_, "Permission denied");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "fr.dat"));
}
#endif

}  // namespace
}  // namespace app

// SPDX-License-Identifier: MIT
// Fonts and pictures that cannot be read: skipped with a line on stderr, never an abort
// and never a wait.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/ui/fonts.h"
#include "platform_test.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace platform;

class ResourceFilesTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    std::filesystem::create_directories(folder_ / "resources");
    SetProgramFolder(folder_);
  }
  zt_test::TempFolder temp_{"zt_resources"};
  const std::filesystem::path& folder_ = temp_.Path();
};

// A link loop stands in for a fonts folder the player may not read (root reads through
// permission bits): the system's copy of the font is used instead.
TEST_F(ResourceFilesTest, AFontsFolderThatCannotBeReadFallsBackToTheSystemFonts) {
  std::filesystem::create_directory_symlink("fonts", folder_ / "resources" / "fonts");
  const detail::FontSpec unusual{"Arial", 31.5, false, true};  // opened by no other test
  EXPECT_GT(detail::TextWidth(unusual, "Zentorra"), 0);
}

TEST_F(ResourceFilesTest, APictureThatIsANamedPipeLoadsAsNothingAtOnce) {
  ASSERT_EQ(::mkfifo((folder_ / "resources" / "pipe.png").c_str(), 0644), 0);
  ::alarm(10);  // ends the test instead of hanging it
  EXPECT_TRUE(LoadPicture("pipe.png").empty());
  ::alarm(0);
}

}  // namespace

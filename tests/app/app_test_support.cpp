// SPDX-License-Identifier: MIT
#include "app_test_support.h"

#include <fstream>
#include <sstream>

#include "audio/sound_manager.h"
#include "game/game_state.h"
#include "platform/headless/headless.h"
#include "platform/loop/system.h"

namespace app_test {

namespace fs = std::filesystem;

namespace {

// The built program's folders, linked where the system can (Wine cannot), else copied.
void LinkOrCopy(const fs::path& from, const fs::path& to) {
  std::error_code error;
  fs::create_directory_symlink(from, to, error);
  if (error) fs::copy(from, to, fs::copy_options::recursive);
}

}  // namespace

void AppTest::SetUp() {
  HeadlessTest::SetUp();
  game::ResetSharedState();
  game::SeedRandom(1);
  LinkOrCopy(fs::path(ZT_PROGRAM_DIR) / "resources", folder_ / "resources");
  LinkOrCopy(fs::path(ZT_PROGRAM_DIR) / "Sound", folder_ / "Sound");
  platform::SetProgramFolder(folder_);
}

void AppTest::TearDown() {
  // The slots outlive the screens: freed while their listener, the music screen, exists,
  // so that no later test plays a slot that reports to a screen gone with this one.
  audio::ShutdownSounds();
  HeadlessTest::TearDown();
}

void AppTest::ClickOn(const platform::Control& control) {
  platform::headless::Click(control.Owner(), control.ScreenLeft() + control.PixelWidth() / 2,
                            control.ScreenTop() + control.PixelHeight() / 2);
}

std::set<std::string> AppTest::WrittenFiles() const {
  std::set<std::string> files;
  for (auto it = fs::recursive_directory_iterator(folder_);
       it != fs::recursive_directory_iterator(); ++it) {
    const auto name = it->path().lexically_relative(folder_).generic_string();
    if (name == "resources" || name == "Sound") {
      it.disable_recursion_pending();
      continue;
    }
    files.insert(name);
  }
  return files;
}

void AppTest::WriteFile(const fs::path& relative, const std::string& content) const {
  fs::create_directories((folder_ / relative).parent_path());
  std::ofstream(folder_ / relative, std::ios::binary) << content;
}

std::string AppTest::ReadFile(const fs::path& relative) const {
  std::ifstream in(folder_ / relative, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

gfx::Surface Crop(const gfx::Surface& picture, int x, int y, int w, int h) {
  gfx::Surface part(w, h);
  for (int row = 0; row < h; ++row) {
    for (int column = 0; column < w; ++column)
      part.at(column, row) = picture.at(x + column, y + row);
  }
  return part;
}

}  // namespace app_test

// SPDX-License-Identifier: MIT
// The Linux build's rendering of the first start's screens, for the browser tests to
// compare with: reference_screens <empty folder> writes how_to_play.ppm and menu.ppm there
// (the program's pictures, fonts and sounds are linked in from the build).
#include <filesystem>
#include <fstream>

#include "app/frm_door.h"
#include "app/frm_how_to_play.h"
#include "app/frm_splash.h"
#include "app/startup.h"
#include "platform/files/places.h"
#include "platform/headless/headless.h"

namespace {

void WritePpm(const std::filesystem::path& path, const gfx::Surface& frame) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << frame.width() << " " << frame.height() << "\n255\n";
  for (int y = 0; y < frame.height(); ++y)
    for (int x = 0; x < frame.width(); ++x) {
      const gfx::Pixel p = frame.at(x, y);
      out.put(char(p >> 16)).put(char(p >> 8)).put(char(p));
    }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::filesystem::path folder = argv[1];
  for (const char* part : {"resources", "Sound"})
    std::filesystem::create_directory_symlink(std::filesystem::path(ZT_PROGRAM_DIR) / part,
                                              folder / part);
  platform::headless::Init();
  platform::SetProgramFolder(folder);
  if (!app::StartUp(
          folder, std::nullopt, [] { app::frmSplash().Show(); },
          [] { app::frmHowToPlay().Show(); }))
    return 1;
  WritePpm(folder / "how_to_play.ppm", platform::headless::Frame(app::frmHowToPlay()));
  platform::headless::RequestClose(app::frmHowToPlay());  // as "Play Now!"
  platform::headless::AdvanceMs(10000);                   // the splash, then the menu
  WritePpm(folder / "menu.ppm", platform::headless::Frame(app::frmDoor()));
  platform::Shutdown();
  return 0;
}

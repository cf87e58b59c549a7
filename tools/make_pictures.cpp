// SPDX-License-Identifier: MIT
// Build step: draws every picture of the game into the program folder's resources/, a
// labelled contact sheet of all of them for review, and the desktop's icons in the
// hicolor theme's layout (<size>x<size>/apps/zentorra.png) at the sizes given, with the
// same sizes in one Windows icon, zentorra.ico, beside the theme folder.
//   zt_make_pictures <resources dir> <fonts dir> <contact sheet png> <icon theme dir> <size>...

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "resources/picture_names.h"
#include "tools/art.h"
#include "tools/pictures.h"
#include "tools/windows_icon.h"

namespace art {
namespace {

struct Picture {
  std::string name;
  std::function<Canvas()> draw;
};

std::vector<Picture> AllPictures() {
  std::vector<Picture> list;
  for (int k = 0; k < kBallKinds; ++k)
    list.push_back({res::kBall[k], [k] { return BallPicture(k); }});
  list.push_back({res::kEmpty, [] { return PlainWhite(962, 716); }});
  list.push_back({res::kWhite, [] { return PlainWhite(600, 150); }});
  list.push_back({res::kGameBack, GameBackground});
  for (int r = 0; r < 25; ++r) list.push_back({res::kRank[r], [r] { return Insignia(r); }});
  for (int p = 0; p < 5; ++p) list.push_back({res::kPopup[p], [p] { return Popup(p); }});
  list.push_back({res::kMenuBack, MenuBackground});
  list.push_back({res::kPanelName, NamePanel});
  list.push_back({res::kPanelAsk, AskPanel});
  list.push_back({res::kPanelNew, NewGamePanel});
  list.push_back({res::kScoreBack, ScoreBackground});
  list.push_back({res::kSplashTitle, SplashTitle});
  list.push_back({res::kHowToBall, HowToBall});
  list.push_back({res::kMouse, [] { return MousePicture(MouseButton::None); }});
  list.push_back({res::kMouseLeft, [] { return MousePicture(MouseButton::Left); }});
  list.push_back({res::kMouseRight, [] { return MousePicture(MouseButton::Right); }});
  list.push_back({res::kPointer, PointerPicture});
  return list;  // the icon is written separately, with its alpha channel
}

// Every picture scaled into a cell of a grid, its file name underneath.
Canvas ContactSheet(const std::vector<std::pair<std::string, Canvas>>& pictures) {
  constexpr int kCellW = 260, kCellH = 215, kImageH = 190, kColumns = 8;
  const int rows = int(pictures.size() + kColumns - 1) / kColumns;
  Canvas sheet(kCellW * kColumns, kCellH * rows, Rgb(200, 204, 212));
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const auto& [name, pic] = pictures[i];
    const int cx = int(i % kColumns) * kCellW, cy = int(i / kColumns) * kCellH;
    const float fit =
        std::min({1.0f, float(kCellW - 10) / pic.width(), float(kImageH - 10) / pic.height()});
    const int w = std::max(1, int(pic.width() * fit)), h = std::max(1, int(pic.height() * fit));
    sheet.blit(fit < 1 ? pic.scaledDown(w, h) : pic, cx + (kCellW - w) / 2, cy + (kImageH - h) / 2);
    DrawText(sheet, Face::Arial, 13, name, cx + kCellW / 2.0f, float(cy + kImageH), Align::Centre,
             Solid(palette::kInk));
  }
  return sheet;
}

// The theme's icons, and the Windows icon made of the same pictures beside the theme.
void SaveDesktopIcons(const std::filesystem::path& themeDir, const std::vector<int>& sizes) {
  std::vector<std::filesystem::path> pngs;
  for (int size : sizes) {
    const auto dir = themeDir / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
    std::filesystem::create_directories(dir);
    pngs.push_back(dir / "zentorra.png");
    SavePngWithAlpha(IconPicture(size), IconAlpha(size), pngs.back().string());
  }
  SaveWindowsIcon(pngs, sizes, themeDir.parent_path() / "zentorra.ico");
}

int Run(const std::string& outDir, const std::string& fontDir, const std::string& sheetPath,
        const std::string& iconThemeDir, const std::vector<int>& iconSizes) {
  SetFontDir(fontDir);
  std::vector<std::pair<std::string, Canvas>> drawn;
  for (const Picture& p : AllPictures()) {
    drawn.emplace_back(p.name, p.draw());
    SavePng(drawn.back().second, outDir + "/" + p.name);
  }
  const Canvas icon = IconPicture(64);
  SavePngWithAlpha(icon, IconAlpha(64), outDir + "/" + res::kIcon);
  drawn.emplace_back(res::kIcon, icon);
  SavePng(ContactSheet(drawn), sheetPath);
  SaveDesktopIcons(iconThemeDir, iconSizes);
  return 0;
}

}  // namespace
}  // namespace art

int main(int argc, char** argv) {
  if (argc < 6) {
    std::fprintf(stderr,
                 "usage: %s <resources dir> <fonts dir> <contact sheet png> <icon theme dir> "
                 "<icon size>...\n",
                 argv[0]);
    return 2;
  }
  try {
    std::vector<int> iconSizes;
    for (int i = 5; i < argc; ++i) iconSizes.push_back(std::stoi(argv[i]));
    const int rc = art::Run(argv[1], argv[2], argv[3], argv[4], iconSizes);
    art::CloseFonts();
    return rc;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zt_make_pictures: %s\n", e.what());
    return 1;
  }
}

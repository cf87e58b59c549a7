// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "resources/picture_names.h"
#include "tests/assets/asset_files.h"
#include "tools/canvas.h"

namespace assets_test {
namespace {

namespace fs = std::filesystem;

constexpr unsigned kRgbMask = 0xFFFFFF, kWhite = 0xFFFFFF, kMagenta = 0xFF00FF;

const std::string kResourceDir = std::string(ZT_PROGRAM_DIR) + "/resources/";

art::Image Load(const std::string& name) {
  return art::LoadPng(kResourceDir + name);
}

unsigned Rgb(const art::Image& img, int x, int y) {
  return img.at(x, y) & kRgbMask;
}

struct Expected {
  std::string name;
  int width, height;
};

std::vector<Expected> EveryPicture() {
  std::vector<Expected> all;
  for (const char* n : res::kBall) all.push_back({n, 75, 75});
  for (const char* n : res::kRank) all.push_back({n, 160, 140});
  for (const char* n : res::kPopup) all.push_back({n, 180, 60});
  for (const char* n : {res::kGameBack, res::kMenuBack, res::kScoreBack})
    all.push_back({n, 1024, 768});
  for (const char* n : {res::kPanelName, res::kPanelAsk, res::kPanelNew})
    all.push_back({n, 167, 142});
  for (const char* n : {res::kMouse, res::kMouseLeft, res::kMouseRight}) all.push_back({n, 91, 87});
  all.push_back({res::kEmpty, 962, 716});
  all.push_back({res::kWhite, 600, 150});
  all.push_back({res::kSplashTitle, 600, 150});
  all.push_back({res::kHowToBall, 75, 75});
  all.push_back({res::kPointer, 32, 32});
  all.push_back({res::kIcon, 64, 64});
  return all;
}

// True when every pixel of the rectangle has the colour.
bool AllOf(const art::Image& img, int x, int y, int w, int h, unsigned rgb) {
  for (int yy = y; yy < y + h; ++yy)
    for (int xx = x; xx < x + w; ++xx)
      if (Rgb(img, xx, yy) != rgb) return false;
  return true;
}

TEST(Pictures, EveryPictureExistsWithItsSize) {
  const auto all = EveryPicture();
  EXPECT_EQ(all.size(), 52u);
  for (const Expected& e : all) {
    SCOPED_TRACE(e.name);
    const art::Image img = Load(e.name);
    EXPECT_EQ(img.width, e.width);
    EXPECT_EQ(img.height, e.height);
  }
}

// Balls are copied with AND over white, so anything but pure white outside the ball shows.
TEST(Pictures, BallsSitOnPureWhite) {
  for (const char* name : res::kBall) {
    SCOPED_TRACE(name);
    const art::Image img = Load(name);
    ASSERT_EQ(img.width, 75);
    EXPECT_TRUE(AllOf(img, 0, 0, 75, 1, kWhite));
    EXPECT_TRUE(AllOf(img, 0, 74, 75, 1, kWhite));
    EXPECT_TRUE(AllOf(img, 0, 0, 1, 75, kWhite));
    EXPECT_TRUE(AllOf(img, 74, 0, 1, 75, kWhite));
    // The ball's radius is 34: everything a little beyond it is surround.
    for (int y = 0; y < 75; ++y)
      for (int x = 0; x < 75; ++x) {
        if (std::hypot(x + 0.5 - 37.5, y + 0.5 - 37.5) <= 36.5) continue;
        ASSERT_EQ(Rgb(img, x, y), kWhite) << x << "," << y;
      }
    int coloured = 0;
    for (unsigned p : img.argb) coloured += (p & kRgbMask) != kWhite;
    EXPECT_GT(coloured, 1200);
  }
}

TEST(Pictures, BallKindsLookDifferent) {
  std::vector<unsigned> centres;
  for (const char* name : res::kBall) centres.push_back(Rgb(Load(name), 45, 45));
  for (std::size_t i = 0; i < centres.size(); ++i)
    for (std::size_t j = i + 1; j < centres.size(); ++j)
      EXPECT_NE(centres[i], centres[j]) << i << " " << j;
}

TEST(Pictures, PlainPicturesAreWhiteAndTheBoardIsLeftWhite) {
  const art::Image empty = Load(res::kEmpty), white = Load(res::kWhite),
                   game = Load(res::kGameBack);
  EXPECT_TRUE(AllOf(empty, 0, 0, 962, 716, kWhite));
  EXPECT_TRUE(AllOf(white, 0, 0, 600, 150, kWhite));
  EXPECT_TRUE(AllOf(game, 0, 150, 600, 600, kWhite));
  // The title band above the board is painted.
  EXPECT_NE(Rgb(game, 300, 10), kWhite);
}

TEST(Pictures, PopupAreaIsPlainPanelAndPopupsBlendIntoIt) {
  const art::Image game = Load(res::kGameBack);
  const unsigned panel = Rgb(game, 730, 450);
  EXPECT_TRUE(AllOf(game, 730, 450, 180, 60, panel));
  for (const char* name : res::kPopup) {
    SCOPED_TRACE(name);
    const art::Image popup = Load(name);
    EXPECT_EQ(Rgb(popup, 0, 0), panel);
    EXPECT_EQ(Rgb(popup, 179, 59), panel);
    EXPECT_NE(Rgb(popup, 90, 30), panel);
  }
}

TEST(Pictures, MenuPanelsBlendIntoTheMenuAndKeepTheirTextAreaWhite) {
  const art::Image menu = Load(res::kMenuBack);
  for (const char* name : {res::kPanelName, res::kPanelAsk, res::kPanelNew}) {
    SCOPED_TRACE(name);
    const art::Image panel = Load(name);
    EXPECT_EQ(Rgb(panel, 0, 0), Rgb(menu, 150, 444));
    EXPECT_EQ(Rgb(panel, 166, 141), Rgb(menu, 316, 585));
  }
  // Where the name entry's labels and text box stand, the panel is plain white.
  EXPECT_TRUE(AllOf(Load(res::kPanelName), 20, 50, 127, 80, kWhite));
  EXPECT_TRUE(AllOf(Load(res::kPanelAsk), 20, 50, 127, 80, kWhite));
}

// Counts the pixels of the rectangle that are darker than `level` in every channel.
int DarkPixels(const art::Image& img, int x, int y, int w, int h, unsigned level) {
  int n = 0;
  for (int yy = y; yy < y + h; ++yy)
    for (int xx = x; xx < x + w; ++xx) {
      const unsigned p = Rgb(img, xx, yy);
      n += (p >> 16) < level && ((p >> 8) & 0xFF) < level && (p & 0xFF) < level;
    }
  return n;
}

TEST(Pictures, GameCaptionsStandAboveTheirControlsAndButtonsUnderTheirSpots) {
  const art::Image game = Load(res::kGameBack);
  const unsigned panel = Rgb(game, 730, 450);
  // Caption text in the strip above each control, which the control does not cover.
  EXPECT_GT(DarkPixels(game, 646, 198, 60, 20, 100), 20);   // Score
  EXPECT_GT(DarkPixels(game, 646, 258, 60, 20, 100), 20);   // Hits
  EXPECT_GT(DarkPixels(game, 642, 316, 60, 20, 100), 20);   // EXP.
  EXPECT_GT(DarkPixels(game, 832, 198, 160, 20, 100), 40);  // Military Rank
  // Painted buttons: most of each hot spot differs from the plain panel.
  for (const auto& [x, y, w, h] : {std::array{678, 654, 85, 93}, std::array{846, 652, 107, 95}}) {
    int painted = 0;
    for (int yy = y; yy < y + h; ++yy)
      for (int xx = x; xx < x + w; ++xx) painted += Rgb(game, xx, yy) != panel;
    EXPECT_GT(painted, w * h / 3) << x << "," << y;
  }
}

TEST(Pictures, MenuButtonsArePaintedUnderTheirClickAreas) {
  const art::Image menu = Load(res::kMenuBack);
  for (const auto& [x, y, w, h] : {std::array{180, 598, 94, 137}, std::array{352, 594, 96, 140},
                                   std::array{686, 596, 108, 140}, std::array{934, 710, 87, 55}}) {
    // Light button faces on the dark menu, with a dark caption or glyph on them.
    int light = 0;
    for (int yy = y; yy < y + h; ++yy)
      for (int xx = x; xx < x + w; ++xx) light += (Rgb(menu, xx, yy) & 0xFF) > 160;
    EXPECT_GT(light, w * h / 3) << x << "," << y;
  }
}

TEST(Pictures, ScoreScreenIsWhiteBelowItsBandAndSplashTitleFadesFromWhite) {
  const art::Image score = Load(res::kScoreBack);
  EXPECT_TRUE(AllOf(score, 0, 142, 1024, 626, kWhite));
  EXPECT_GT(DarkPixels(score, 0, 0, 1024, 138, 120), 50000);  // the band
  const art::Image splash = Load(res::kSplashTitle);
  EXPECT_TRUE(AllOf(splash, 0, 0, 600, 1, kWhite) && AllOf(splash, 0, 149, 600, 1, kWhite));
  EXPECT_TRUE(AllOf(splash, 0, 0, 1, 150, kWhite) && AllOf(splash, 599, 0, 1, 150, kWhite));
  EXPECT_GT(DarkPixels(splash, 0, 0, 600, 150, 100), 3000);  // the title
}

TEST(Pictures, MousePicturesLightTheNamedButton) {
  const art::Image plain = Load(res::kMouse), left = Load(res::kMouseLeft),
                   right = Load(res::kMouseRight);
  // Lit means warm: red well above blue. Button centres lie left and right of the wheel.
  auto warm = [](const art::Image& img, int x, int y) {
    const unsigned p = Rgb(img, x, y);
    return int(p >> 16) - int(p & 0xFF) > 80;
  };
  EXPECT_FALSE(warm(plain, 33, 36) || warm(plain, 57, 36));
  EXPECT_TRUE(warm(left, 33, 36));
  EXPECT_FALSE(warm(left, 57, 36));
  EXPECT_TRUE(warm(right, 57, 36));
  EXPECT_FALSE(warm(right, 33, 36));
}

TEST(Pictures, TheTwentyFiveInsigniaAllDifferOnWhite) {
  std::vector<art::Image> ranks;
  for (const char* name : res::kRank) ranks.push_back(Load(name));
  for (const art::Image& r : ranks) {
    // They stand on the white high-score screen too.
    EXPECT_EQ(Rgb(r, 0, 0), kWhite);
    EXPECT_EQ(Rgb(r, 159, 139), kWhite);
  }
  for (std::size_t i = 0; i < ranks.size(); ++i)
    for (std::size_t j = i + 1; j < ranks.size(); ++j)
      EXPECT_NE(ranks[i].argb, ranks[j].argb) << res::kRank[i] << " and " << res::kRank[j];
}

TEST(Pictures, PointerIsMagentaKeyedAndIconHasTransparentCorners) {
  const art::Image pointer = Load(res::kPointer);
  int hand = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const unsigned p = Rgb(pointer, x, y);
      const bool grey = (p >> 16) == ((p >> 8) & 0xFF) && ((p >> 8) & 0xFF) == (p & 0xFF);
      ASSERT_TRUE(p == kMagenta || grey) << x << "," << y;  // no pink fringe
      hand += p != kMagenta;
    }
  // The top-left pixel is the transparent key and the click point: the fingertip is next
  // to it.
  EXPECT_EQ(Rgb(pointer, 0, 0), kMagenta);
  EXPECT_EQ(Rgb(pointer, 31, 31), kMagenta);
  EXPECT_NE(Rgb(pointer, 3, 3), kMagenta);
  EXPECT_GT(hand, 150);
  const art::Image icon = Load(res::kIcon);
  EXPECT_EQ(icon.at(0, 0) >> 24, 0u);
  EXPECT_EQ(icon.at(32, 32) >> 24, 255u);
}

// The Windows icon: each entry names its size and holds the theme's icon of that size,
// byte for byte, where the directory says.
TEST(Pictures, WindowsIconHoldsTheThemeIconAtEverySize) {
  const std::string ico = FileBytes(ZT_WINDOWS_ICON);
  const auto le = [&](std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | std::uint8_t(ico.at(at + i));
    return v;
  };
  const std::vector<int> sizes = {16, 22, 24, 32, 48, 64, 128, 256};
  ASSERT_GE(ico.size(), 6u);
  EXPECT_EQ(le(0, 2), 0u);
  EXPECT_EQ(le(2, 2), 1u);  // an icon
  ASSERT_EQ(le(4, 2), sizes.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const std::size_t entry = 6 + 16 * i;
    const std::uint32_t side = sizes[i] % 256;  // 256 is written as 0
    EXPECT_EQ(le(entry, 1), side) << sizes[i];
    EXPECT_EQ(le(entry + 1, 1), side) << sizes[i];
    EXPECT_EQ(le(entry + 6, 2), 32u) << sizes[i];
    const std::string png =
        FileBytes(std::string(ZT_ICON_THEME_DIR) + "/" + std::to_string(sizes[i]) + "x" +
                  std::to_string(sizes[i]) + "/apps/zentorra.png");
    ASSERT_EQ(le(entry + 8, 4), png.size()) << sizes[i];
    EXPECT_TRUE(ico.compare(le(entry + 12, 4), png.size(), png) == 0) << sizes[i];
  }
}

TEST(Pictures, GeneratorMakesTheSameBytesEveryRun) {
  const fs::path dir = ScratchDir("pictures_again");
  const std::string command = std::string(ZT_MAKE_PICTURES) + " " + dir.string() + " " +
                              kResourceDir + "fonts " + (dir / "sheet.png").string() + " " +
                              (dir / "icons").string() + " 16";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (const Expected& e : EveryPicture())
    EXPECT_TRUE(FileBytes(dir / e.name) == FileBytes(kResourceDir + e.name)) << e.name;
  fs::remove_all(dir);
}

}  // namespace
}  // namespace assets_test

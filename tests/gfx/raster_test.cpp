// SPDX-License-Identifier: MIT
#include "gfx/raster.h"

#include <gtest/gtest.h>

namespace gfx {
namespace {

TEST(BitBlt, SrcCopyCopiesAndClipsToDestination) {
  Surface src(4, 4, Rgb(10, 20, 30));
  src.at(3, 2) = Rgb(1, 2, 3);
  Surface dst(6, 6, kBlack);
  fxBitBlt(dst, 4, 4, 4, 4, src, 0, 0, SRCCOPY);
  EXPECT_EQ(dst.at(5, 5), Rgb(10, 20, 30));
  EXPECT_EQ(dst.at(3, 3), kBlack);
  // Clipped at the left and top (a shaking ball in column 0 is drawn at x = -3): the
  // source is read from where the visible part begins.
  fxBitBlt(dst, -3, -2, 4, 4, src, 0, 0, SRCCOPY);
  EXPECT_EQ(dst.at(0, 0), Rgb(1, 2, 3));
  EXPECT_EQ(dst.at(1, 0), kBlack);
  fxBitBlt(dst, 0, 0, 6, 6, src, 0, 0, 0x00EE0086);  // an unknown operation draws nothing
  EXPECT_EQ(dst.at(2, 2), kBlack);
}

TEST(BitBlt, SourceOutsidePictureReadsWhite) {
  Surface src(75, 75, Rgb(200, 0, 0));
  Surface dst(75, 75, Rgb(1, 2, 3));
  fxBitBlt(dst, 0, 0, 75, 75, src, 0, 64, MERGEPAINT);
  // Rows 0..10 read picture rows 64..74 (red): D | NOT red.
  EXPECT_EQ(dst.at(0, 0), Rgb(1, 2, 3) | (~Rgb(200, 0, 0) & 0xFFFFFF));
  // Row 11 onwards reads below the picture: white, so D is unchanged.
  EXPECT_EQ(dst.at(0, 11), Rgb(1, 2, 3));
  EXPECT_EQ(dst.at(74, 74), Rgb(1, 2, 3));
  fxBitBlt(dst, 0, 0, 75, 75, src, 0, 64, SRCCOPY);  // a copy paints it white
  EXPECT_EQ(dst.at(0, 10), Rgb(200, 0, 0));
  EXPECT_EQ(dst.at(0, 11), kWhite);
}

// On a coloured cell, where a plain copy and SRCAND differ.
TEST(BitBlt, DrawBallPairAndsTheBallIntoTheCell) {
  Surface ball(75, 75, kWhite);
  ball.fillRect(20, 20, 35, 35, Rgb(0, 0, 255));
  Surface dst(100, 100, Rgb(0x12, 0x34, 0x56));
  dst.fillRect(0, 0, 10, 100, Rgb(0, 255, 0));
  fxBitBlt(dst, 10, 10, 75, 75, ball, 0, 64, MERGEPAINT);
  fxBitBlt(dst, 10, 10, 75, 75, ball, 0, 0, SRCAND);
  EXPECT_EQ(dst.at(40, 40), Rgb(0, 0, 0x56));
  EXPECT_EQ(dst.at(5, 5), Rgb(0, 255, 0));
  EXPECT_EQ(dst.at(12, 12), Rgb(0x12, 0x34, 0x56));
}

// A picture whose every pixel differs from its neighbours.
Surface Numbered(int width, int height) {
  Surface picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.at(x, y) = Rgb(x * 7, y * 11, x * y);
  return picture;
}

// Copying within one picture reads the source as it was before the call, whichever way
// the rectangles overlap, as the desktop's copy does.
TEST(BitBlt, OverlappingRectanglesOfOnePictureReadTheSourceAsItWas) {
  const int moves[][2] = {{3, 2}, {-3, -2}, {4, 0}, {0, -5}, {2, -3}};
  for (const std::uint32_t rop : {SRCCOPY, SRCAND, MERGEPAINT}) {
    for (const auto& [dx, dy] : moves) {
      Surface picture = Numbered(40, 30);
      Surface expected = picture;
      fxBitBlt(expected, 10 + dx, 8 + dy, 20, 15, Surface(picture), 10, 8, rop);
      fxBitBlt(picture, 10 + dx, 8 + dy, 20, 15, picture, 10, 8, rop);
      EXPECT_EQ(picture, expected) << "rop " << rop << " by " << dx << ", " << dy;
    }
  }
  Surface picture = Numbered(40, 30);
  Surface expected = picture;
  fxZoom(expected, 20, 15, Surface(picture), 5, 5, 20, 10, 1.0, 0, 0);
  fxZoom(picture, 20, 15, picture, 5, 5, 20, 10, 1.0, 0, 0);
  EXPECT_EQ(picture, expected) << "zoom 1.0";
  expected = picture;
  fxAlphaBlend(expected, 12, 9, 20, 10, Surface(picture), 10, 8, 20, 10, 128, 0xFFFFFF, 0);
  fxAlphaBlend(picture, 12, 9, 20, 10, picture, 10, 8, 20, 10, 128, 0xFFFFFF, 0);
  EXPECT_EQ(picture, expected) << "blend";
}

TEST(Zoom, FactorOneIsExactCopyAndSizesRound) {
  Surface src(180, 60, kBlack);
  src.at(0, 0) = Rgb(1, 2, 3);
  Surface dst(1024, 768, kWhite);
  fxZoom(dst, 820, 480, src, 0, 0, 180, 60, 1.0, 0, 0);
  EXPECT_EQ(dst.at(730, 450), Rgb(1, 2, 3));
  EXPECT_EQ(dst.at(909, 509), kBlack);
  EXPECT_EQ(dst.at(910, 480), kWhite);
  Surface small(1024, 768, kWhite);
  fxZoom(small, 820, 480, src, 0, 0, 180, 60, 0.1, 0, 0);  // 18 x 6
  EXPECT_EQ(small.at(811, 477), kBlack);
  EXPECT_EQ(small.at(810, 477), kWhite);
  EXPECT_EQ(small.at(828, 482), kBlack);
  EXPECT_EQ(small.at(829, 482), kWhite);
  fxZoom(small, 820, 480, src, 0, 0, 180, 60, 0.125, 0, 0);  // 22.5 x 7.5 rounds to 23 x 8
  EXPECT_EQ(small.at(831, 476), kBlack);
  EXPECT_EQ(small.at(832, 480), kWhite);
}

TEST(Zoom, ShrinkingAveragesTheSourceAndKeepsFlatColoursExact) {
  Surface src(75, 75, Rgb(30, 144, 255));
  Surface dst(200, 200, kWhite);
  fxZoom(dst, 100, 100, src, 0, 0, 75, 75, 0.15, 0, 0);  // 11 x 11
  for (int y = 95; y < 106; ++y)
    for (int x = 95; x < 106; ++x) ASSERT_EQ(dst.at(x, y), Rgb(30, 144, 255)) << x << "," << y;
  EXPECT_EQ(dst.at(94, 100), kWhite);
  EXPECT_EQ(dst.at(106, 100), kWhite);

  Surface stripes(4, 4, kBlack);  // alternate black and white columns
  for (int y = 0; y < 4; ++y) stripes.at(1, y) = stripes.at(3, y) = kWhite;
  Surface half(10, 10, kBlack);
  fxZoom(half, 5, 5, stripes, 0, 0, 4, 4, 0.5, 0, 0);  // 2 x 2, each pixel half white
  EXPECT_EQ(half.at(4, 4), Rgb(128, 128, 128));
  EXPECT_EQ(half.at(5, 5), Rgb(128, 128, 128));
}

// Repeated zooms of one picture reuse the scaled copy; a changed picture must not.
TEST(Zoom, RepeatedZoomsFollowChangesToThePicture) {
  Surface ball(75, 75, Rgb(200, 0, 0));
  Surface dst(300, 100, kWhite);
  fxZoom(dst, 50, 50, ball, 0, 0, 75, 75, 0.5, 0, 0);
  fxZoom(dst, 150, 50, ball, 0, 0, 75, 75, 0.5, 0, 0);
  EXPECT_EQ(dst.at(150, 50), Rgb(200, 0, 0));
  ball.fill(Rgb(0, 0, 200));
  fxZoom(dst, 250, 50, ball, 0, 0, 75, 75, 0.5, 0, 0);
  EXPECT_EQ(dst.at(250, 50), Rgb(0, 0, 200));
  fxZoom(dst, 250, 50, ball, 0, 0, 75, 75, 0.45, 0, 0);
  EXPECT_EQ(dst.at(250, 50), Rgb(0, 0, 200));
  EXPECT_EQ(dst.at(250, 33), Rgb(0, 0, 200));  // the 0.5 picture was not drawn again
}

TEST(Zoom, GrowingInterpolatesBetweenNeighbours) {
  Surface src(2, 1, kBlack);
  src.at(1, 0) = kWhite;
  Surface dst(8, 1, Rgb(1, 1, 1));
  fxZoom(dst, 4, 0, src, 0, 0, 2, 1, 4.0, 0, 0);  // 8 x 4 from (0, -2)
  EXPECT_EQ(dst.at(0, 0), kBlack);
  EXPECT_EQ(dst.at(7, 0), kWhite);
  EXPECT_LT(dst.at(3, 0), dst.at(4, 0));
}

TEST(AlphaBlend, LevelSetsTheMixAndTheSourceStretches) {
  Surface src(10, 10, kBlack);
  Surface dst(10, 10, kWhite);
  fxAlphaBlend(dst, 0, 0, 10, 10, src, 0, 0, 10, 10, 0, kWhite, 0);
  EXPECT_EQ(dst.at(5, 5), kWhite);
  dst.fill(Rgb(100, 100, 100));
  fxAlphaBlend(dst, 0, 0, 10, 10, src, 0, 0, 10, 10, 128, kWhite, 0);
  EXPECT_EQ(dst.at(5, 5), Rgb(50, 50, 50));  // 100 * 127 / 255 = 49.8, rounded
  fxAlphaBlend(dst, 0, 0, 10, 10, src, 0, 0, 10, 10, 400, kWhite, 0);
  EXPECT_EQ(dst.at(5, 5), kBlack);
  // A 2 x 2 source over 10 x 10: each source pixel covers a 5 x 5 quarter.
  src.at(1, 1) = Rgb(200, 0, 0);
  dst.fill(kWhite);
  fxAlphaBlend(dst, 0, 0, 10, 10, src, 0, 0, 2, 2, 255, kWhite, 0);
  EXPECT_EQ(dst.at(4, 4), kBlack);
  EXPECT_EQ(dst.at(5, 5), Rgb(200, 0, 0));
  EXPECT_EQ(dst.at(9, 9), Rgb(200, 0, 0));
}

}  // namespace
}  // namespace gfx

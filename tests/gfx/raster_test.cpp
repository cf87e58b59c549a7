#include "gfx/raster.h"

#include <gtest/gtest.h>

namespace gfx {
namespace {

TEST(BitBlt, SrcCopyCopiesAndClipsToDestination) {
  Surface src(4, 4, Rgb(10, 20, 30));
  Surface dst(6, 6, kBlack);
  fxBitBlt(dst, 4, 4, 4, 4, src, 0, 0, SRCCOPY);
  EXPECT_EQ(dst.at(5, 5), Rgb(10, 20, 30));
  EXPECT_EQ(dst.at(3, 3), kBlack);
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
}

TEST(BitBlt, DrawBallPairOnErasedCellShowsTheBall) {
  Surface ball(75, 75, kWhite);
  ball.fillRect(20, 20, 35, 35, Rgb(0, 0, 255));
  Surface dst(100, 100, kWhite);
  dst.fillRect(0, 0, 10, 100, Rgb(0, 255, 0));
  fxBitBlt(dst, 10, 10, 75, 75, ball, 0, 64, MERGEPAINT);
  fxBitBlt(dst, 10, 10, 75, 75, ball, 0, 0, SRCAND);
  EXPECT_EQ(dst.at(40, 40), Rgb(0, 0, 255));
  EXPECT_EQ(dst.at(5, 5), Rgb(0, 255, 0));
  EXPECT_EQ(dst.at(12, 12), kWhite);
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
}

TEST(AlphaBlend, LevelZeroInvisibleAndHighLevelsOpaque) {
  Surface src(10, 10, kBlack);
  Surface dst(10, 10, kWhite);
  fxAlphaBlend(dst, 0, 0, 10, 10, src, 0, 0, 10, 10, 0, kWhite, 0);
  EXPECT_EQ(dst.at(5, 5), kWhite);
  fxAlphaBlend(dst, 0, 0, 10, 10, src, 0, 0, 10, 10, 400, kWhite, 0);
  EXPECT_EQ(dst.at(5, 5), kBlack);
}

}  // namespace
}  // namespace gfx

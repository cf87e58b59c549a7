// SPDX-License-Identifier: MIT
// The three raster calls every screen draws with.
#pragma once

#include <cstdint>

#include "gfx/surface.h"

namespace gfx {

// Raster operation codes, with the meanings of the classic desktop ternary codes.
enum RasterOp : std::uint32_t {
  SRCCOPY = 0x00CC0020,     // D = S
  SRCAND = 0x008800C6,      // D = D AND S
  MERGEPAINT = 0x00BB0226,  // D = D OR NOT S
};

// Combines the width x height source rectangle at (xSrc, ySrc) into the destination
// rectangle at (x, y). The destination rectangle is clipped to the destination; source
// pixels outside the source picture read as white, so SRCAND and MERGEPAINT leave the
// destination unchanged there and SRCCOPY paints white. Unknown codes draw nothing.
// The source may be the destination picture itself: all three calls read it as it was
// before the call, however the two rectangles overlap.
void fxBitBlt(Surface& dest, int x, int y, int width, int height, const Surface& src, int xSrc,
              int ySrc, std::uint32_t rop);

// Draws the width x height source rectangle scaled by zoom, opaquely, with its centre at
// (xCentre, yCentre). The scaled size is round(width * zoom) x round(height * zoom) (halves
// away from zero) and its top-left corner is (xCentre - scaledWidth / 2, yCentre -
// scaledHeight / 2) in integer division, so a 180 x 60 picture centred on (820, 480) covers
// exactly (730, 450, 180, 60). Zoom 1.0 is a pixel-exact copy. Shrinking averages the
// source area under each pixel; growing interpolates linearly. Source pixels outside the
// source picture read as white. The reserved arguments are ignored.
void fxZoom(Surface& dest, int xCentre, int yCentre, const Surface& src, int xSrc, int ySrc,
            int width, int height, double zoom, int reserved1, int reserved2);

// Blends the srcWidth x srcHeight source rectangle over the width x height destination
// rectangle (stretched by nearest pixel when the sizes differ).
// Level to opacity: opacity = clamp(level, 0, 255) / 255. Level 0 is invisible and every
// level from 255 up is fully opaque, so a fade that runs 10, 20 ... 400 and back rises
// for 25 steps, holds the picture fully visible, and falls for the last 25 steps.
// colour and flags are accepted for the callers' sake and do not change the result.
void fxAlphaBlend(Surface& dest, int x, int y, int width, int height, const Surface& src, int xSrc,
                  int ySrc, int srcWidth, int srcHeight, int level, std::uint32_t colour,
                  int flags);

}  // namespace gfx

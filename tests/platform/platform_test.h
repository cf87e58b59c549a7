// SPDX-License-Identifier: MIT
// Shared set-up of the platform tests: a fresh headless platform for every test.
#pragma once

#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "platform/loop/system.h"
#include "platform/ui/form.h"
#include "tests/support/headless_test.h"

using PlatformTest = zt_test::HeadlessTest;

// Pixels of a rectangle of a frame that differ from a colour.
inline int CountNot(const gfx::Surface& frame, int x, int y, int w, int h, gfx::Pixel colour) {
  int count = 0;
  for (int yy = y; yy < y + h; ++yy)
    for (int xx = x; xx < x + w; ++xx)
      if (frame.contains(xx, yy) && frame.at(xx, yy) != colour) ++count;
  return count;
}

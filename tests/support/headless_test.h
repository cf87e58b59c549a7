// SPDX-License-Identifier: MIT
// The one set-up of every test that opens windows: a fresh headless platform per test,
// with the built program folder as the program's own until a test names another.
#pragma once

#include <gtest/gtest.h>

namespace zt_test {

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace zt_test

// SPDX-License-Identifier: MIT
#include "tests/support/headless_test.h"

#include "platform/headless/headless.h"
#include "platform/loop/system.h"

namespace zt_test {

void HeadlessTest::SetUp() {
  platform::headless::Init();
  platform::headless::Reset();
  platform::SetProgramFolder(ZT_PROGRAM_DIR);
}

void HeadlessTest::TearDown() {
  platform::headless::Reset();
}

}  // namespace zt_test

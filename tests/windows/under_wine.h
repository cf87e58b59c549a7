// SPDX-License-Identifier: MIT
// Whether the Windows test program runs under Wine, for the few places where Wine's own
// functions differ from the desktop's.
#pragma once

namespace wintest {

bool UnderWine();

}  // namespace wintest

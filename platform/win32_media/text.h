// SPDX-License-Identifier: MIT
// Text for the desktop's wide-character calls: the layer keeps its strings in UTF-8.
#pragma once

#include <string>

namespace platform::win32 {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

}  // namespace platform::win32

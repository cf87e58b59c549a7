// SPDX-License-Identifier: MIT
#include "tests/windows/under_wine.h"

#include <windows.h>

namespace wintest {

bool UnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace wintest

// SPDX-License-Identifier: MIT
// Multimedia files on Windows: the desktop's own mmio calls. The layer's records have the
// desktop's layout; only the open parameters are a short form of MMIOINFO.
#include "platform/winmm/mmio.h"

#include <string>

// After the layer's headers: the desktop's headers define some of their names as macros.
#include <windows.h>

#include <mmsystem.h>  // after windows.h, whose types it uses

namespace platform {
namespace {

static_assert(sizeof(platform::MMCKINFO) == sizeof(::MMCKINFO));

::HMMIO Native(HMMIO file) {
  return reinterpret_cast<::HMMIO>(file);
}

::MMCKINFO* Native(platform::MMCKINFO* chunk) {
  return reinterpret_cast<::MMCKINFO*>(chunk);
}

const ::MMCKINFO* Native(const platform::MMCKINFO* chunk) {
  return reinterpret_cast<const ::MMCKINFO*>(chunk);
}

}  // namespace

FOURCC mmioStringToFOURCCA(const char* text, std::uint32_t flags) {
  return ::mmioStringToFOURCCA(text, flags);
}

HMMIO mmioOpenA(const char* fileName, platform::MMIOINFO* info, std::uint32_t flags) {
  ::MMIOINFO native{};
  if (info) native.cchBuffer = info->cchBuffer;
  // The desktop's call takes a writable name (it may rewrite a parsed one).
  std::string name = fileName ? fileName : "";
  ::HMMIO file = ::mmioOpenA(name.data(), info ? &native : nullptr, flags);
  if (info) info->wErrorRet = native.wErrorRet;
  return reinterpret_cast<HMMIO>(file);
}

MMRESULT mmioDescend(HMMIO file, platform::MMCKINFO* chunk, const platform::MMCKINFO* parent,
                     std::uint32_t flags) {
  return ::mmioDescend(Native(file), Native(chunk), Native(parent), flags);
}

std::int32_t mmioRead(HMMIO file, char* buffer, std::int32_t count) {
  return ::mmioRead(Native(file), buffer, count);
}

std::int32_t mmioSeek(HMMIO file, std::int32_t offset, int origin) {
  return ::mmioSeek(Native(file), offset, origin);
}

MMRESULT mmioClose(HMMIO file, std::uint32_t flags) {
  return ::mmioClose(Native(file), flags);
}

}  // namespace platform

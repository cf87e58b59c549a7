// SPDX-License-Identifier: MIT
#include "gfx/pixel_memory.h"

#include <cstdlib>
#include <new>

#ifdef _WIN32

namespace gfx {

// Large pages on Windows need a privilege a game does not have: plain blocks.
void* AllocatePixels(std::size_t bytes) {
  return ::operator new(bytes);
}

void FreePixels(void* block, std::size_t /*bytes*/) noexcept {
  ::operator delete(block);
}

}  // namespace gfx

#else

#include <sys/mman.h>

namespace gfx {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

void* AllocatePixels(std::size_t bytes) {
  if (bytes < kHugePage) return ::operator new(bytes);
  void* block = nullptr;
  if (posix_memalign(&block, kHugePage, bytes) != 0) throw std::bad_alloc();
  // Only whole huge pages: rounding the block up would waste up to 2 MiB a picture. A
  // hint only; without huge pages all still works.
  madvise(block, bytes / kHugePage * kHugePage, MADV_HUGEPAGE);
  return block;
}

void FreePixels(void* block, std::size_t bytes) noexcept {
  if (bytes < kHugePage)
    ::operator delete(block);
  else
    std::free(block);
}

}  // namespace gfx

#endif

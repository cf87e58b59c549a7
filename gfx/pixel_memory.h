// SPDX-License-Identifier: MIT
// Memory for pixels. A window-sized picture is megabytes, and touching fresh memory costs
// a page fault per 4 KiB, which is slow (about 10 us on a virtual machine: 8 ms for one
// 1024 x 768 picture). So blocks of 2 MiB and more are aligned to 2 MiB, and their whole
// 2 MiB pieces are asked to be backed by huge pages where the system offers them: for
// such a picture, 257 faults instead of 768.
#pragma once

#include <cstddef>

namespace gfx {

void* AllocatePixels(std::size_t bytes);
void FreePixels(void* block, std::size_t bytes) noexcept;

template <class T>
struct PixelAllocator {
  using value_type = T;
  PixelAllocator() = default;
  template <class U>
  PixelAllocator(const PixelAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) { return static_cast<T*>(AllocatePixels(n * sizeof(T))); }
  void deallocate(T* block, std::size_t n) noexcept { FreePixels(block, n * sizeof(T)); }
  friend bool operator==(const PixelAllocator&, const PixelAllocator&) { return true; }
};

}  // namespace gfx

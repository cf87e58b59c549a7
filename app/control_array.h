// SPDX-License-Identifier: MIT
// Arrays of like controls that share one name and are told apart by an index, as in
// lblScore(3) or picMR(24). Created in index order, so later ones draw over earlier ones.
#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "platform/ui/form.h"

namespace app {

template <class T, std::size_t N>
class ControlArray {
 public:
  explicit ControlArray(platform::Form& form, platform::Control* parent = nullptr) {
    for (auto& item : items_) item = std::make_unique<T>(form, parent);
  }
  T& operator()(int index) { return *items_.at(static_cast<std::size_t>(index)); }
  const T& operator()(int index) const { return *items_.at(static_cast<std::size_t>(index)); }
  static constexpr int Count() { return static_cast<int>(N); }

 private:
  std::array<std::unique_ptr<T>, N> items_;
};

}  // namespace app

// SPDX-License-Identifier: MIT
// Decimal fixed point with four places, the way the rank progress is kept: a value is held
// as a whole number of ten-thousandths, so 0.125 is 1250.
#pragma once

#include <cstdint>
#include <optional>

namespace game {

constexpr std::int64_t kTenThousandths = 10000;

// The ratio written as decimal text with 15 significant digits, read back and rounded to
// four decimal places; an exact half in that text goes to the even last digit. Empty when
// the ratio is not a finite number or too large to hold.
std::optional<std::int64_t> FixedFromRatio(double ratio);

// n / d rounded to the nearest whole number, an exact half to the even one (d > 0).
std::int64_t DivideRoundHalfEven(std::int64_t n, std::int64_t d);

}  // namespace game

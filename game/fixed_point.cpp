// SPDX-License-Identifier: MIT
#include "game/fixed_point.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace game {
namespace {

constexpr int kSignificantDigits = 15;

std::int64_t PowerOfTen(int exponent) {
  std::int64_t p = 1;
  for (int i = 0; i < exponent; ++i) p *= 10;
  return p;
}

// mantissa x 10^shift, empty on overflow.
std::optional<std::int64_t> ScaleUp(std::int64_t mantissa, int shift) {
  for (int i = 0; i < shift; ++i) {
    if (mantissa > std::numeric_limits<std::int64_t>::max() / 10) return std::nullopt;
    mantissa *= 10;
  }
  return mantissa;
}

}  // namespace

std::int64_t DivideRoundHalfEven(std::int64_t n, std::int64_t d) {
  if (n < 0) return -DivideRoundHalfEven(-n, d);
  std::int64_t q = n / d;
  const std::int64_t twiceRest = 2 * (n % d);
  if (twiceRest > d || (twiceRest == d && q % 2 != 0)) ++q;
  return q;
}

std::optional<std::int64_t> FixedFromRatio(double ratio) {
  if (!std::isfinite(ratio)) return std::nullopt;
  // "%.14e" gives the same 15 significant digits as "%.15g", always in the form
  // [-]d.ddddddddddddddde±x, which is read back here as an exact decimal number:
  // value = digits x 10^(exponent - 14).
  char text[40];
  std::snprintf(text, sizeof text, "%.*e", kSignificantDigits - 1, ratio);
  const char* p = text;
  const bool negative = *p == '-';
  if (negative) ++p;
  std::int64_t digits = 0;
  for (; *p != '\0' && *p != 'e'; ++p) {
    if (std::isdigit(static_cast<unsigned char>(*p))) digits = digits * 10 + (*p - '0');
  }
  const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
  // In ten-thousandths: digits x 10^(exponent - 14 + 4).
  const int shift = exponent - (kSignificantDigits - 1) + 4;
  std::optional<std::int64_t> result;
  if (shift >= 0) {
    result = ScaleUp(digits, shift);
  } else if (-shift > 18) {
    result = 0;  // far below half a ten-thousandth
  } else {
    result = DivideRoundHalfEven(digits, PowerOfTen(-shift));
  }
  if (result && negative) *result = -*result;
  return result;
}

}  // namespace game

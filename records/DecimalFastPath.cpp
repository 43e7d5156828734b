// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/DecimalFastPath.h"

#include <cstdint>

namespace {

// Powers of ten that a double holds exactly.
constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kLargestPower = 22;
// Integers up to this are exact in a double.
constexpr std::uint64_t kExactMantissa = std::uint64_t{1} << 53;
constexpr int kMostDigits = 19;  // fit a 64-bit integer
constexpr int kMostExponentDigits = 4;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<double> ParseDecimalFastPath(std::string_view field) {
  std::size_t i = 0;
  const std::size_t n = field.size();
  bool negative = false;
  if (i < n && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
  std::uint64_t mantissa = 0;
  int digits = 0;
  int fractionDigits = 0;
  for (; i < n && IsDigit(field[i]); ++i, ++digits) {
    mantissa = mantissa * 10 + static_cast<std::uint64_t>(field[i] - '0');
  }
  if (i < n && field[i] == '.') {
    for (++i; i < n && IsDigit(field[i]); ++i, ++digits, ++fractionDigits) {
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(field[i] - '0');
    }
  }
  if (digits == 0 || digits > kMostDigits) return std::nullopt;
  int exponent = 0;
  if (i < n) {
    const char marker = field[i];
    if (marker != 'E' && marker != 'e' && marker != 'D' && marker != 'd') return std::nullopt;
    ++i;
    bool negativeExponent = false;
    if (i < n && (field[i] == '+' || field[i] == '-')) negativeExponent = field[i++] == '-';
    int exponentDigits = 0;
    for (; i < n && IsDigit(field[i]); ++i, ++exponentDigits)
      exponent = exponent * 10 + (field[i] - '0');
    if (exponentDigits == 0 || exponentDigits > kMostExponentDigits || i != n) return std::nullopt;
    if (negativeExponent) exponent = -exponent;
  }
  if (mantissa > kExactMantissa) return std::nullopt;
  const int power = exponent - fractionDigits;
  if (power < -kLargestPower || power > kLargestPower) return std::nullopt;
  double value = static_cast<double>(mantissa);
  value = power < 0 ? value / kPowers[-power] : value * kPowers[power];
  return negative ? -value : value;
}

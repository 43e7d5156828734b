// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ExtendedPower.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

// The estimate reads the significand of the 80-bit extended format. Where long double has
// another format (64-bit Arm: 113 bits), every power is powl's own.
constexpr bool kExtended80 = std::numeric_limits<long double>::digits == 64;

// One unit in the last place of the 64-bit significand, relative to a value in [1, 2).
constexpr long double kExtendedUlp = 0x1p-63L;

}  // namespace

PowerEstimate EstimatePower(long double x, long double y) {
  constexpr long double kInfinite = std::numeric_limits<long double>::infinity();
  if (!kExtended80 || !(x > 0) || !std::isfinite(x) || !std::isfinite(y)) return {0, kInfinite};
  const long double exponent = y * std::log2(x);
  const long double value = std::exp2(exponent);
  // log2l and exp2l are each within 2 ulp, and so is powl: the error of the logarithm grows
  // with the size of y log2 x, and exp2 turns it into a relative error. Four times the sum
  // keeps a wide margin.
  return {value, (8 + 4 * std::fabs(exponent)) * kExtendedUlp};
}

bool RoundsToSameDouble(long double value, long double relativeError) {
  if constexpr (!kExtended80) return false;
  const long double magnitude = std::fabs(value);
  if (!(magnitude >= DBL_MIN && magnitude <= DBL_MAX)) return false;
  if (!(relativeError < 0x1p-54L)) return false;
  // The low 11 of the 64 significand bits are what rounding to 53 bits drops; 1024 of them is
  // the midpoint between two doubles. Any value within the error must stay on one side of it.
  std::uint64_t significand;
  std::memcpy(&significand, &value, sizeof significand);
  const long long dropped = static_cast<long long>(significand & 0x7FF);
  const long long distance = dropped >= 1024 ? dropped - 1024 : 1024 - dropped;
  // In units of the last place of value: |value| < 2^64 units.
  const long double bound = relativeError * 0x1p64L;
  return static_cast<long double>(distance) > bound + 1;
}

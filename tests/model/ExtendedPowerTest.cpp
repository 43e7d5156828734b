// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ExtendedPower.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

constexpr long double kUlp = 0x1p-63L;  // of a value in [1, 2)

TEST(ExtendedPowerTest, EstimateStaysWithinItsBoundOfPowl) {
  if (std::numeric_limits<long double>::digits != 64) GTEST_SKIP() << "no 80-bit long double";
  for (long double x = 0.19L; x <= 1.0L; x += 0.0137L) {
    for (long double y = 0.5L; y <= 1.5L; y += 0.0731L) {
      const PowerEstimate e = EstimatePower(x, y);
      const long double exact = std::pow(x, y);
      EXPECT_LE(std::fabs(e.value - exact), e.relativeError * exact) << x << "^" << y;
      EXPECT_LT(e.relativeError, 0x1p-55L);
    }
  }
}

TEST(ExtendedPowerTest, ArgumentsOutsideTheEstimateHaveNoBound) {
  const long double inf = std::numeric_limits<long double>::infinity();
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  for (const auto& [x, y] : {std::pair{0.0L, 1.0L}, std::pair{-0.5L, 1.0L}, std::pair{inf, 1.0L},
                             std::pair{nan, 1.0L}, std::pair{0.5L, inf}, std::pair{0.5L, nan}}) {
    EXPECT_FALSE(RoundsToSameDouble(1.0L, EstimatePower(x, y).relativeError)) << x << "^" << y;
  }
}

struct RoundingCase {
  long double value;
  long double relativeError;
  bool safe;
};

TEST(ExtendedPowerTest, RoundingIsSafeOnlyAwayFromMidpoints) {
  if (std::numeric_limits<long double>::digits != 64) GTEST_SKIP() << "no 80-bit long double";
  const long double midpoint = 1.0L + 0x1p-53L;  // halfway between 1 and the next double
  for (const RoundingCase c : {
           RoundingCase{1.0L, 8 * kUlp, true},
           RoundingCase{midpoint, 0, false},
           RoundingCase{midpoint + 3 * kUlp, 0, true},
           RoundingCase{midpoint - 3 * kUlp, 0, true},
           RoundingCase{midpoint + 3 * kUlp, 4 * kUlp, false},
           RoundingCase{midpoint - 20 * kUlp, 8 * kUlp, true},
           RoundingCase{-(midpoint - 20 * kUlp), 8 * kUlp, true},
           RoundingCase{-(midpoint + 2 * kUlp), 8 * kUlp, false},
           RoundingCase{1.0L, 0x1p-50L, false},
           RoundingCase{0x1p-1030L, 0, false},
           RoundingCase{static_cast<long double>(DBL_MAX) * 2, 0, false},
           RoundingCase{0, 0, false},
           RoundingCase{std::numeric_limits<long double>::infinity(), 0, false},
       }) {
    EXPECT_EQ(RoundsToSameDouble(c.value, c.relativeError), c.safe)
        << static_cast<double>(c.value) << " within " << static_cast<double>(c.relativeError);
  }
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/IntensityEnvelope.h"

#include <cmath>

#include "records/PlainMath.h"

namespace {

constexpr double kLn10 = 2.302585092994046;
// The envelope's tenth span against the effective duration it must give: a record shaped by it
// reaches a tenth of its peak a little inside the envelope's tenth points.
constexpr double kSpanMargin = 1.1;

}  // namespace

double IntensityEnvelope::At(double time) const {
  if (time < rise) return (time / rise) * (time / rise);
  if (time <= flatEnd) return 1;
  return PlainExp(-decay * (time - flatEnd));
}

double IntensityEnvelope::TenthSpan() const {
  return flatEnd + kLn10 / decay - rise * std::sqrt(0.1);
}

IntensityEnvelope IntensityEnvelope::ForDuration(double duration) {
  return {duration / 15, duration / 2, kLn10 / (0.4 * duration)};
}

double DurationForLongestPeriod(double longestPeriod) {
  const double spanPerSecond = IntensityEnvelope::ForDuration(1).TenthSpan();
  return std::ceil(5 * kSpanMargin * longestPeriod / spanPerSecond);
}

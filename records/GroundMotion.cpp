// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/GroundMotion.h"

#include <cmath>
#include <cstddef>

double PeakAcceleration(const GroundMotion& motion) {
  double peak = 0;
  for (const double a : motion.acceleration) peak = std::fmax(peak, std::fabs(a));
  return peak;
}

double Duration(const GroundMotion& motion) {
  if (motion.acceleration.empty()) return 0;
  return static_cast<double>(motion.acceleration.size() - 1) * motion.step;
}

double EffectiveDuration(const GroundMotion& motion, double fractionOfPeak) {
  const double peak = PeakAcceleration(motion);
  if (peak <= 0) return 0;
  const double threshold = fractionOfPeak * peak;
  const std::vector<double>& a = motion.acceleration;
  std::size_t first = 0;
  while (std::fabs(a[first]) < threshold) ++first;
  std::size_t last = a.size() - 1;
  while (std::fabs(a[last]) < threshold) --last;
  return static_cast<double>(last - first) * motion.step;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "records/GroundMotion.h"

// The spectrum kernel as it stood before SA became the continuous peak and before every path
// computed with the same fused operations, kept so that the benchmark measures the current
// kernel against it in the same run. Peak |u| and peak |absolute acceleration| at the periods.
namespace baseline {

struct Peaks {
  std::vector<double> displacement;
  std::vector<double> acceleration;
};

Peaks ComputePeaks(const GroundMotion& motion, const std::vector<double>& periods, double damping);

}  // namespace baseline

// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/baseline/Spectrum.h"

#include <algorithm>

#include "bench/baseline/OscillatorBank.h"
#include "bench/baseline/OscillatorResponse.h"

namespace baseline {

Peaks ComputePeaks(const GroundMotion& motion, const std::vector<double>& periods, double damping) {
  const OscillatorBank bank(periods, damping, motion.step);
  OscillatorResponse response(bank);
  const std::size_t steps = motion.acceleration.size() - 1;
  // As the spectrum did: pieces of 512 steps, between which progress was reported.
  for (std::size_t first = 0; first < steps; first += 512) {
    response.Advance(motion.acceleration, first, std::min(steps, first + 512));
  }
  response.AddFreeVibration();
  response.Settle();
  return {response.PeakDisplacement(), response.PeakAcceleration()};
}

}  // namespace baseline

// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordScaling.h"

#include <cmath>
#include <stdexcept>

#include "records/AccelerationUnit.h"

namespace {

constexpr double kTimeHistoryPga[6][3] = {
    {18, 50, 125}, {35, 100, 220}, {55, 150, 310}, {70, 200, 400}, {110, 300, 510}, {140, 400, 620},
};

}  // namespace

double TimeHistoryPeakAcceleration(std::int32_t intensity, std::int32_t action) {
  const int row = intensity >= 0 && intensity <= 4 ? static_cast<int>(intensity) : 5;
  const int column = action >= 0 && action <= 2 ? static_cast<int>(action) : 0;
  return kTimeHistoryPga[row][column];
}

double ScaleFactor(const GroundMotion& motion, std::optional<double> targetGal) {
  if (!targetGal) return 1;
  if (!(*targetGal > 0) || !std::isfinite(*targetGal)) {
    throw std::invalid_argument("The target peak ground acceleration must be a positive number.");
  }
  const double peak = PeakAcceleration(motion);
  if (!(peak > 0)) {
    throw std::invalid_argument("The record " + motion.name +
                                " has no motion to scale: all its values are zero.");
  }
  const double factor = *targetGal * ToG(AccelerationUnit::Gal) / peak;
  if (!std::isfinite(factor)) {
    throw std::invalid_argument("The record " + motion.name +
                                " moves too little to be scaled to the target: the factor is "
                                "beyond the range of numbers.");
  }
  return factor;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/ShapeBand.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "model/NumberText.h"

namespace {

constexpr double kShortestFactor = 0.2;
constexpr double kLongestFactor = 1.5;
constexpr double kLowest = 0.05;
constexpr double kHighest = 6;
// Grid indices within this of a whole number are taken as one, so that 0.3 s is on the grid.
constexpr double kGridSlack = 1e-9;

double RoundToGrid(double period) { return std::round(period / kFinePeriodStep) * kFinePeriodStep; }

}  // namespace

ShapeBand DefaultShapeBand(const std::vector<double>& mainPeriods) {
  const auto [shortest, longest] = std::minmax_element(mainPeriods.begin(), mainPeriods.end());
  ShapeBand band;
  band.low = std::clamp(RoundToGrid(kShortestFactor * *shortest), kLowest, kHighest);
  band.high = std::clamp(RoundToGrid(kLongestFactor * *longest), kLowest, kHighest);
  return band;
}

std::vector<double> ShapeBandPeriods(const ShapeBand& band) {
  if (!(band.low > 0 && band.high <= kHighest && band.low <= band.high)) {
    throw std::invalid_argument(
        "The shape band must run from a period above 0 to one of at most 6 s, the shorter "
        "first.");
  }
  const auto first = static_cast<std::int32_t>(std::ceil(band.low / kFinePeriodStep - kGridSlack));
  const auto last = static_cast<std::int32_t>(std::floor(band.high / kFinePeriodStep + kGridSlack));
  std::vector<double> periods;
  for (std::int32_t i = std::max(first, 1); i <= last; ++i) periods.push_back(FinePeriod(i));
  if (periods.empty()) {
    throw std::invalid_argument("The shape band holds no period of the 0.01 s grid.");
  }
  return periods;
}

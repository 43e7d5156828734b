// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/CodeLevel.h"

#include <cmath>
#include <optional>

#include "model/CodeTables.h"

namespace {

constexpr std::int32_t kIntensities = 6;
constexpr std::int32_t kActions = 3;
constexpr std::int32_t kSiteClasses = 5;
constexpr std::int32_t kGroups = 3;

// Typed values and table values are both read from the shortest decimal text; they match
// exactly, and this only forgives a value computed elsewhere.
bool Same(double a, double b) { return std::abs(a - b) <= 1e-9 * std::abs(b); }

}  // namespace

std::vector<CodeLevel> LevelsOfAlphaMax(double alphaMax) {
  std::vector<CodeLevel> levels;
  for (std::int32_t intensity = 0; intensity < kIntensities; ++intensity) {
    for (std::int32_t action = 0; action < kActions; ++action) {
      if (Same(alphaMax, DefaultAlphaMax(intensity, action))) levels.push_back({intensity, action});
    }
  }
  return levels;
}

bool IsTableTg(double tg) {
  for (std::int32_t site = 0; site < kSiteClasses; ++site) {
    for (std::int32_t group = 0; group < kGroups; ++group) {
      const std::optional<double> table = DefaultTg(site, group);
      if (table && Same(tg, *table)) return true;
    }
  }
  return false;
}

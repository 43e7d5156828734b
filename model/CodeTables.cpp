// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CodeTables.h"

#include <array>

namespace {

constexpr std::array<const char*, 2> kCodeEditions = {"GB 50011-2010", "GB 50011-2001"};
// The first entry has a space before ")" and the others have none; the texts are shown as is.
constexpr std::array<const char*, 6> kIntensities = {"6 ( 0.05 g )", "7 ( 0.10 g)", "7 ( 0.15 g)",
                                                     "8 ( 0.20 g)",  "8 ( 0.30 g)", "9 ( 0.40 g)"};
constexpr std::array<const char*, 3> kActions = {"Frequently earthquake",
                                                 "Fortification earthquake", "Rarely earthquake"};
constexpr std::array<const char*, 5> kSiteClasses = {"I0", "I1", "II", "III", "IV"};
constexpr std::array<const char*, 3> kGroups = {"1st Group", "2nd Group", "3th Group"};

// Rows: intensity; columns: frequently, fortification, rarely.
constexpr double kAlphaMax[6][3] = {
    {0.04, 0.12, 0.28}, {0.08, 0.23, 0.50}, {0.12, 0.34, 0.72},
    {0.16, 0.45, 0.90}, {0.24, 0.68, 1.20}, {0.32, 0.90, 1.40},
};

// Rows: site class; columns: design group. Seconds.
constexpr double kTg[5][3] = {
    {0.20, 0.25, 0.30}, {0.25, 0.30, 0.35}, {0.35, 0.40, 0.45},
    {0.45, 0.55, 0.65}, {0.65, 0.75, 0.90},
};

constexpr int ColumnOrFirst(std::int32_t column) {
  return column >= 0 && column <= 2 ? static_cast<int>(column) : 0;
}

}  // namespace

std::span<const char* const> CodeEditionNames() { return kCodeEditions; }
std::span<const char* const> IntensityNames() { return kIntensities; }
std::span<const char* const> ActionNames() { return kActions; }
std::span<const char* const> SiteClassNames() { return kSiteClasses; }
std::span<const char* const> GroupNames() { return kGroups; }

double DefaultAlphaMax(std::int32_t intensity, std::int32_t action) {
  const int row = intensity >= 0 && intensity <= 4 ? static_cast<int>(intensity) : 5;
  return kAlphaMax[row][ColumnOrFirst(action)];
}

std::optional<double> DefaultTg(std::int32_t siteClass, std::int32_t group) {
  if (siteClass < 0 || siteClass > 4) return std::nullopt;
  return kTg[siteClass][ColumnOrFirst(group)];
}

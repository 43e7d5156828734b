// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "chart/rules/SeriesList.h"

struct LegendEntry {
  std::size_t seriesIndex = 0;
  std::string title;  // raw text
  Rgb color = 0;
  LineStyle style;
};

// One entry per shown series, in chart order; hidden series have none.
std::vector<LegendEntry> LegendEntries(const SeriesList& series);

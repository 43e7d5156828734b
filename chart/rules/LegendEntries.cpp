// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/rules/LegendEntries.h"

std::vector<LegendEntry> LegendEntries(const SeriesList& series) {
  std::vector<LegendEntry> entries;
  for (std::size_t i = 0; i < series.Count(); ++i) {
    const ChartSeries& one = series.At(i);
    if (one.Active()) entries.push_back({i, one.Title(), one.Color(), one.Style()});
  }
  return entries;
}

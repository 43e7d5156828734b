// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/rules/AutomaticRanges.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr AxisRange kDefaultPeriods{0, 6};
constexpr double kDefaultSaSpan = 1;

DataBounds BoundsOf(const SeriesList& series, bool shownOnly) {
  DataBounds bounds;
  for (std::size_t i = 0; i < series.Count(); ++i) {
    const ChartSeries& one = series.At(i);
    if (!shownOnly || one.Active()) bounds.Include(one.Bounds());
  }
  return bounds;
}

// Qt Charts takes an axis span of 1e-12 or less for none and then draws no axis at all: no
// line, labels, grid or title. Data spanning less keep their axis at this span instead.
constexpr double kSmallestSpan = 1e-10;

// An axis needs a span to map values to pixels.
AxisRange Widened(AxisRange range, double defaultSpan) {
  if (range.max - range.min >= kSmallestSpan) return range;
  if (range.max > range.min) return {range.min, range.min + kSmallestSpan};
  const double span = range.min != 0 ? std::max(std::fabs(range.min), kSmallestSpan) : defaultSpan;
  return {range.min, range.min + span};
}

}  // namespace

PlotRanges AutomaticRanges(const SeriesList& series, const LeftAxisSettings& leftAxis) {
  DataBounds bounds = BoundsOf(series, true);
  if (bounds.Empty()) bounds = BoundsOf(series, false);

  PlotRanges ranges;
  if (bounds.Empty()) {
    ranges.x = kDefaultPeriods;
    const double min = leftAxis.automaticMinimum ? 0 : leftAxis.minimum;
    ranges.y = {min, min + kDefaultSaSpan};
    return ranges;
  }
  ranges.x = Widened({bounds.MinX(), bounds.MaxX()}, kDefaultPeriods.max);
  const double yMin = leftAxis.automaticMinimum ? bounds.MinY() : leftAxis.minimum;
  ranges.y = Widened({yMin, bounds.MaxY()}, kDefaultSaSpan);
  return ranges;
}

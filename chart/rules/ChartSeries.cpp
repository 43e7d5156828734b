// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/rules/ChartSeries.h"

#include <utility>

ChartSeries::ChartSeries(std::string title, Rgb color, std::vector<ChartPoint> points,
                         LineStyle style)
    : title_(std::move(title)), color_(color), style_(style), points_(std::move(points)) {
  for (const ChartPoint& point : points_) bounds_.Include(point.x, point.y);
}

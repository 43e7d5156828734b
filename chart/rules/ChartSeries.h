// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "chart/rules/DataBounds.h"
#include "chart/rules/LineStyle.h"
#include "chart/rules/SeriesPalette.h"

struct ChartPoint {
  double x = 0;  // period T in s
  double y = 0;  // Sa in g
};

// One line of the chart: the raw title (plain text, never markup), its colour and line style,
// whether it is shown, and its points in ascending x. The extent of the points is kept so that axis
// ranges never need to walk the points again.
class ChartSeries {
 public:
  ChartSeries(std::string title, Rgb color, std::vector<ChartPoint> points, LineStyle style = {});

  const std::string& Title() const { return title_; }
  Rgb Color() const { return color_; }
  const LineStyle& Style() const { return style_; }
  bool Active() const { return active_; }
  const std::vector<ChartPoint>& Points() const { return points_; }
  const DataBounds& Bounds() const { return bounds_; }

  void SetActive(bool active) { active_ = active; }

 private:
  std::string title_;
  Rgb color_;
  LineStyle style_;
  bool active_ = true;
  std::vector<ChartPoint> points_;
  DataBounds bounds_;
};

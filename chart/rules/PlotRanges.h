// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct AxisRange {
  double min = 0;
  double max = 0;

  double Span() const { return max - min; }
  bool operator==(const AxisRange&) const = default;
};

// What the two axes show: x is the bottom (period) axis, y the left (Sa) axis.
struct PlotRanges {
  AxisRange x;
  AxisRange y;

  bool operator==(const PlotRanges&) const = default;
};

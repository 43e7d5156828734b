// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/rules/ZoomFrame.h"

namespace {

double Between(double from, double to, double fraction) { return from + (to - from) * fraction; }

AxisRange Between(const AxisRange& from, const AxisRange& to, double fraction) {
  return {Between(from.min, to.min, fraction), Between(from.max, to.max, fraction)};
}

}  // namespace

PlotRanges ZoomFrame(const PlotRanges& from, const PlotRanges& to, int step, int steps) {
  if (steps <= 0 || step >= steps) return to;
  if (step <= 0) return from;
  const double fraction = static_cast<double>(step) / steps;
  return {Between(from.x, to.x, fraction), Between(from.y, to.y, fraction)};
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/rules/PlotRanges.h"

// A rectangle in pixels, y growing downwards.
struct PixelRect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

// Maps pixels of the plot area to axis values: the bottom axis grows to the right, the left
// axis upwards.
class PlotMapping {
 public:
  PlotMapping(const PixelRect& plotArea, const PlotRanges& ranges)
      : area_(plotArea), ranges_(ranges) {}

  // False while the plot area has no size; nothing can be mapped then.
  bool Valid() const;

  double XValue(double px) const;
  double YValue(double py) const;
  double XPixel(double x) const;
  double YPixel(double y) const;

  // The ranges a rubber band between two corners selects, whichever way it was drawn.
  PlotRanges Selected(double x1, double y1, double x2, double y2) const;

  // The ranges after dragging the plot contents by dx, dy pixels.
  PlotRanges Panned(double dx, double dy) const;

 private:
  PixelRect area_;
  PlotRanges ranges_;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/rules/PlotMapping.h"

#include <algorithm>

bool PlotMapping::Valid() const { return area_.width > 0 && area_.height > 0; }

double PlotMapping::XValue(double px) const {
  return ranges_.x.min + (px - area_.left) / area_.width * ranges_.x.Span();
}

double PlotMapping::YValue(double py) const {
  return ranges_.y.max - (py - area_.top) / area_.height * ranges_.y.Span();
}

double PlotMapping::XPixel(double x) const {
  return area_.left + (x - ranges_.x.min) / ranges_.x.Span() * area_.width;
}

double PlotMapping::YPixel(double y) const {
  return area_.top + (ranges_.y.max - y) / ranges_.y.Span() * area_.height;
}

PlotRanges PlotMapping::Selected(double x1, double y1, double x2, double y2) const {
  if (!Valid()) return ranges_;
  return {{XValue(std::min(x1, x2)), XValue(std::max(x1, x2))},
          {YValue(std::max(y1, y2)), YValue(std::min(y1, y2))}};
}

PlotRanges PlotMapping::Panned(double dx, double dy) const {
  if (!Valid()) return ranges_;
  const double shiftX = dx / area_.width * ranges_.x.Span();
  const double shiftY = dy / area_.height * ranges_.y.Span();
  return {{ranges_.x.min - shiftX, ranges_.x.max - shiftX},
          {ranges_.y.min + shiftY, ranges_.y.max + shiftY}};
}

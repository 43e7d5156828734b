// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/rules/DataBounds.h"

#include <algorithm>
#include <cmath>

void DataBounds::Include(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  if (empty_) {
    minX_ = maxX_ = x;
    minY_ = maxY_ = y;
    empty_ = false;
    return;
  }
  minX_ = std::min(minX_, x);
  maxX_ = std::max(maxX_, x);
  minY_ = std::min(minY_, y);
  maxY_ = std::max(maxY_, y);
}

void DataBounds::Include(const DataBounds& other) {
  if (other.empty_) return;
  Include(other.minX_, other.minY_);
  Include(other.maxX_, other.maxY_);
}

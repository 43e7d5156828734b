// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The extent of a set of points; points with a non-finite coordinate are left out, so one bad
// value cannot blow up an axis.
class DataBounds {
 public:
  void Include(double x, double y);
  void Include(const DataBounds& other);

  bool Empty() const { return empty_; }
  double MinX() const { return minX_; }
  double MaxX() const { return maxX_; }
  double MinY() const { return minY_; }
  double MaxY() const { return maxY_; }

 private:
  bool empty_ = true;
  double minX_ = 0;
  double maxX_ = 0;
  double minY_ = 0;
  double maxY_ = 0;
};

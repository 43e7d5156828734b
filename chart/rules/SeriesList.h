// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "chart/rules/ChartSeries.h"
#include "chart/rules/SeriesPalette.h"

// The chart's series in order of creation. A new series takes its colour from the palette
// when it joins; removing a series never recolours the others.
class SeriesList {
 public:
  SeriesList(Rgb background, Rgb backWall) : background_(background), backWall_(backWall) {}

  std::size_t Count() const { return series_.size(); }
  const ChartSeries& At(std::size_t index) const { return series_.at(index); }

  // Appends a shown series in the next free palette colour and returns it.
  const ChartSeries& Append(std::string title, std::vector<ChartPoint> points,
                            LineStyle style = {});
  // Appends a shown series in a colour and style of the caller's choosing.
  const ChartSeries& Append(std::string title, std::vector<ChartPoint> points, Rgb color,
                            LineStyle style);
  void Remove(std::size_t index);
  // True when the shown state changed.
  bool SetActive(std::size_t index, bool active);

 private:
  Rgb background_;
  Rgb backWall_;
  std::vector<ChartSeries> series_;
};

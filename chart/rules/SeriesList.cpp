// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/rules/SeriesList.h"

#include <stdexcept>
#include <utility>

const ChartSeries& SeriesList::Append(std::string title, std::vector<ChartPoint> points,
                                      LineStyle style) {
  std::vector<Rgb> used;
  used.reserve(series_.size());
  for (const ChartSeries& series : series_) used.push_back(series.Color());
  const int entry = SeriesPalette::ChooseEntry(used, background_, backWall_);
  return series_.emplace_back(std::move(title), SeriesPalette::Entry(entry), std::move(points),
                              style);
}

const ChartSeries& SeriesList::Append(std::string title, std::vector<ChartPoint> points, Rgb color,
                                      LineStyle style) {
  return series_.emplace_back(std::move(title), color, std::move(points), style);
}

void SeriesList::Remove(std::size_t index) {
  if (index >= series_.size()) throw std::out_of_range("SeriesList::Remove");
  series_.erase(series_.begin() + static_cast<std::ptrdiff_t>(index));
}

bool SeriesList::SetActive(std::size_t index, bool active) {
  ChartSeries& series = series_.at(index);
  if (series.Active() == active) return false;
  series.SetActive(active);
  return true;
}

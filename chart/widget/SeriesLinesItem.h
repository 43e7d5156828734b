// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGraphicsItem>
#include <QLineF>
#include <vector>

#include "chart/rules/PlotRanges.h"
#include "chart/rules/SeriesList.h"

// The lines of the shown series, drawn by one item over the plot area. Qt Charts' own line
// items rebuild their path and outline for every change of an axis range, which with a couple
// of hundred spectra costs more than painting them; here a change costs a repaint only.
class SeriesLinesItem : public QGraphicsItem {
 public:
  SeriesLinesItem(const SeriesList& series, QGraphicsItem* parent);

  // Where the plot lies and what it shows.
  void SetView(const QRectF& plotArea, const PlotRanges& ranges);

  QRectF boundingRect() const override { return plotArea_; }
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

 private:
  const SeriesList& series_;
  QRectF plotArea_;
  PlotRanges ranges_;
  std::vector<QLineF> segments_;  // kept to spare an allocation per line and paint
};

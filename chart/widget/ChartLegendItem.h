// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QGraphicsItem>
#include <vector>

#include "chart/rules/LegendEntries.h"

// The legend, drawn over the plot at its top right: per shown series a short line in the
// series colour and the title in bold. Titles are drawn as plain text, never as markup. Rows
// that do not fit the plot height are left out.
class ChartLegendItem : public QGraphicsItem {
 public:
  ChartLegendItem(const QFont& font, QGraphicsItem* parent);

  void SetEntries(std::vector<LegendEntry> entries);
  // Fits the legend into the top right of the plot area.
  void Place(const QRectF& plotArea);

  // Entries drawn: those that fit.
  int RowCount() const { return rows_; }
  QString RowText(int row) const;

  QRectF boundingRect() const override { return rect_; }
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

 private:
  QFont font_;
  std::vector<LegendEntry> entries_;
  QRectF plotArea_;
  QRectF rect_;
  int rows_ = 0;
};

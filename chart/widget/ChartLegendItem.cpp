// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/widget/ChartLegendItem.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/widget/LinePen.h"

namespace {

constexpr qreal kInset = 5;    // from the plot's edges
constexpr qreal kPadding = 4;  // inside the frame
constexpr qreal kSampleWidth = 20;
constexpr qreal kSampleGap = 5;
constexpr qreal kRowGap = 2;

}  // namespace

ChartLegendItem::ChartLegendItem(const QFont& font, QGraphicsItem* parent)
    : QGraphicsItem(parent), font_(font) {}

void ChartLegendItem::SetEntries(std::vector<LegendEntry> entries) {
  entries_ = std::move(entries);
  Place(plotArea_);
}

QString ChartLegendItem::RowText(int row) const {
  return QString::fromStdString(entries_.at(static_cast<std::size_t>(row)).title);
}

void ChartLegendItem::Place(const QRectF& plotArea) {
  plotArea_ = plotArea;
  const QFontMetricsF metrics(font_);
  const qreal rowHeight = metrics.height() + kRowGap;
  const qreal room = plotArea.height() - 2 * kInset - 2 * kPadding;
  const int fitting = room > 0 ? static_cast<int>(std::floor(room / rowHeight)) : 0;
  rows_ = std::min(fitting, static_cast<int>(entries_.size()));

  qreal textWidth = 0;
  for (int row = 0; row < rows_; ++row) {
    textWidth = std::max(textWidth, metrics.horizontalAdvance(RowText(row)));
  }
  const qreal width = std::min(2 * kPadding + kSampleWidth + kSampleGap + textWidth,
                               std::max<qreal>(plotArea.width() - 2 * kInset, 0));
  const qreal height = 2 * kPadding + rows_ * rowHeight;

  prepareGeometryChange();
  rect_ = QRectF(plotArea.right() - kInset - width, plotArea.top() + kInset, width, height);
  setVisible(rows_ > 0);
  update();
}

void ChartLegendItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  painter->save();
  painter->setClipRect(rect_);
  painter->setPen(QPen(Qt::black, 1));
  painter->setBrush(Qt::white);
  painter->drawRect(rect_.adjusted(0.5, 0.5, -0.5, -0.5));

  const QFontMetricsF metrics(font_);
  const qreal rowHeight = metrics.height() + kRowGap;
  painter->setFont(font_);
  for (int row = 0; row < rows_; ++row) {
    const LegendEntry& entry = entries_[static_cast<std::size_t>(row)];
    const qreal top = rect_.top() + kPadding + row * rowHeight;
    const qreal middle = top + rowHeight / 2;
    const qreal sampleLeft = rect_.left() + kPadding;
    painter->setPen(LinePen(entry.color, entry.style));
    painter->drawLine(QPointF(sampleLeft, middle), QPointF(sampleLeft + kSampleWidth, middle));
    painter->setPen(Qt::black);
    const QRectF textRect(sampleLeft + kSampleWidth + kSampleGap, top,
                          rect_.right() - kPadding - (sampleLeft + kSampleWidth + kSampleGap),
                          rowHeight);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      metrics.elidedText(RowText(row), Qt::ElideRight, textRect.width()));
  }
  painter->restore();
}

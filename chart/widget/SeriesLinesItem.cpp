// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/widget/SeriesLinesItem.h"

#include <QPainter>

#include "chart/rules/PlotMapping.h"
#include "chart/rules/SegmentClip.h"
#include "chart/widget/LinePen.h"

SeriesLinesItem::SeriesLinesItem(const SeriesList& series, QGraphicsItem* parent)
    : QGraphicsItem(parent), series_(series) {}

void SeriesLinesItem::SetView(const QRectF& plotArea, const PlotRanges& ranges) {
  if (plotArea != plotArea_) {
    prepareGeometryChange();
    plotArea_ = plotArea;
  }
  ranges_ = ranges;
  update();
}

void SeriesLinesItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  const PixelRect area{plotArea_.left(), plotArea_.top(), plotArea_.width(), plotArea_.height()};
  const PlotMapping mapping(area, ranges_);
  if (!mapping.Valid()) return;

  painter->save();
  painter->setClipRect(plotArea_);
  painter->setRenderHint(QPainter::Antialiasing, false);
  for (std::size_t i = 0; i < series_.Count(); ++i) {
    const ChartSeries& series = series_.At(i);
    if (!series.Active()) continue;
    // Separate segments rather than one polyline: the raster engine strokes them much faster.
    segments_.clear();
    const std::vector<ChartPoint>& points = series.Points();
    for (std::size_t k = 1; k < points.size(); ++k) {
      Segment segment{mapping.XPixel(points[k - 1].x), mapping.YPixel(points[k - 1].y),
                      mapping.XPixel(points[k].x), mapping.YPixel(points[k].y)};
      if (ClipSegment(segment, area)) {
        segments_.emplace_back(segment.x1, segment.y1, segment.x2, segment.y2);
      }
    }
    painter->setPen(LinePen(series.Color(), series.Style()));
    painter->drawLines(segments_.data(), static_cast<int>(segments_.size()));
  }
  painter->restore();
}

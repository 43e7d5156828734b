// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPen>

#include "chart/rules/LineStyle.h"
#include "chart/rules/SeriesPalette.h"

// The pen of a series' line, for the plot and the legend sample alike.
inline QPen LinePen(Rgb color, const LineStyle& style) {
  return QPen(QColor::fromRgb(static_cast<QRgb>(color)), style.width,
              style.dashed ? Qt::DashLine : Qt::SolidLine);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <string>
#include <vector>

#include "chart/rules/ChartSeries.h"

class QPainter;

// What a plot of response spectra shows: its lines (hidden ones are left out), the periods
// marked with vertical lines, and whether either axis is logarithmic.
struct SpectraPlotContent {
  std::vector<ChartSeries> series;
  std::vector<double> markers;  // s, labelled T1, T2, ... in the order given
  bool logPeriod = false;
  bool logSa = false;
  QString periodTitle = QStringLiteral("Period, T (s)");
  QString saTitle = QStringLiteral("Spectral acceleration, Sa (g)");
  std::string decimalSeparator = ".";  // of the tick labels
};

// The ranges a plot shows: every shown line whole, 0 up on a linear Sa axis.
struct SpectraPlotRanges {
  double xMin = 0;
  double xMax = 6;
  double yMin = 0;
  double yMax = 1;
};

// Draws response spectra with vector lines and real text on any painter: the records
// window's chart on screen and the same chart in its report. Axis labels are exact decimals
// at steps of 1, 2 or 5 times a power of ten (decades on a logarithmic axis).
class SpectraPlot {
 public:
  static SpectraPlotRanges Ranges(const SpectraPlotContent& content);
  // Draws the frame, the grid, the labels, the markers and the lines inside `area`.
  static void Paint(QPainter& painter, const QRectF& area, const SpectraPlotContent& content,
                    const QFont& font);
  // The rectangle of `area` that holds the lines, once room is made for the labels.
  static QRectF PlotRect(const QRectF& area, const QFont& font);
};

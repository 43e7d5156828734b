// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <string>
#include <vector>

#include "model/DesignSpectrum.h"
#include "ui/windows/RecordSet.h"

#include "chart/rules/ChartSeries.h"

class RecordChart;

// The records window's chart: the design spectrum with its tolerance band, the records' mean
// and each record's scaled spectrum, with the main periods marked.
class RecordChartGroup : public QGroupBox {
 public:
  explicit RecordChartGroup(QWidget* parent);

  // Draws anew. `design` may be null (none accepted, or deleted since); `designSa` is its
  // spectrum at the default periods.
  void Show(const DesignSpectrum* design, const std::vector<double>& designSa, double tolerance,
            const std::string& separator, const RecordSet& records,
            const std::vector<double>& mainPeriods);
  // The lines of the chart: design spectrum, its band, the mean, then each record.
  static std::vector<ChartSeries> Lines(const DesignSpectrum* design,
                                        const std::vector<double>& designSa, double tolerance,
                                        const std::string& separator, const RecordSet& records);

  // The title says when the settings were edited since the chart was drawn.
  void ShowStale(bool stale);

  RecordChart* chtRecords = nullptr;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <string>
#include <vector>

#include "model/DesignSpectrum.h"
#include "ui/windows/RecordSet.h"

class ResponseChartView;

// The records window's chart: the design spectrum with its tolerance band, the records' mean
// and each record's scaled spectrum.
class RecordChartGroup : public QGroupBox {
 public:
  explicit RecordChartGroup(QWidget* parent);

  // Draws anew. `design` may be null (none accepted, or deleted since); `designSa` is its
  // spectrum at the default periods.
  void Show(const DesignSpectrum* design, const std::vector<double>& designSa, double tolerance,
            const std::string& separator, const RecordSet& records);

  // The title says when the settings were edited since the chart was drawn.
  void ShowStale(bool stale);

  ResponseChartView* chtRecords = nullptr;
};

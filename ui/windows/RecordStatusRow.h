// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <cstddef>

#include "ui/platform/SpectrumJobs.h"
#include "ui/windows/RecordSet.h"

class QLabel;
class QProgressBar;

// The records window's bottom row: how far the spectra are computed, and what the window is
// doing.
class RecordStatusRow : public QWidget {
 public:
  explicit RecordStatusRow(QWidget* parent);

  // `readingFiles` are the record files still to be read.
  void Show(const RecordSet& records, std::size_t readingFiles, const SpectrumJobs& jobs);

  QProgressBar* pbCompute = nullptr;
  QLabel* lblStatus = nullptr;
};

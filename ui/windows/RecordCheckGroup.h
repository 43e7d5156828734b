// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <optional>
#include <string>

#include "model/DesignSpectrum.h"
#include "records/CompatibilityCheck.h"
#include "ui/windows/RecordInputs.h"
#include "ui/windows/RecordSet.h"

class CheckTable;
class FrozenColumns;
class QLabel;

// The records window's compatibility check: its table and a verdict that gives the reasons of
// a failure, or says what the check still waits for.
class RecordCheckGroup : public QGroupBox {
 public:
  explicit RecordCheckGroup(QWidget* parent);

  // Runs the check when everything it needs is there and shows it; returns it, or nothing
  // when the verdict says what is missing. `design` may be null (deleted since accepted).
  // `stale`: the settings were edited since they were accepted, so no check is shown. Numbers are
  // written with the decimal separator.
  std::optional<CheckResult> Show(const RecordInputs& inputs, const DesignSpectrum* design,
                                  const RecordSet& records, bool stale,
                                  const std::string& separator);

  CheckTable* grdCheck = nullptr;
  FrozenColumns* grdSummary = nullptr;  // over grdCheck's first columns
  QLabel* lblVerdict = nullptr;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <optional>

#include "records/RecordReader.h"
#include "ui/platform/Desktop.h"
#include "ui/windows/RecordEntry.h"
#include "ui/windows/RecordListControls.h"
#include "ui/windows/RecordSet.h"

// The records window's list of records, with the buttons that add and remove them and the
// options for reading text records.
class RecordListGroup : public QGroupBox, public RecordListControls {
 public:
  RecordListGroup(Desktop& desktop, QWidget* parent);

  // How text records are read; nothing after a warning for a bad time step.
  std::optional<RecordReadOptions> ReadOptions() const;
  // Lists a record file being read, by its name; its figures come with ShowRows.
  void AppendReading(int id, const QString& fileName);
  // Writes every record's numbers and the state of its spectrum, marking effective durations
  // below the minimum (s).
  void ShowRows(const RecordSet& records, double minimumDuration);

 private:
  Desktop& desktop_;
};

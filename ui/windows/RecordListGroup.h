#pragma once

#include <QGroupBox>
#include <optional>

#include "records/RecordReader.h"
#include "ui/platform/Desktop.h"
#include "ui/windows/RecordEntry.h"
#include "ui/windows/RecordSet.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class RecordTable;

// The records window's list of records, with the buttons that add and remove them and the
// options for reading text records.
class RecordListGroup : public QGroupBox {
 public:
  RecordListGroup(Desktop& desktop, QWidget* parent);

  // How text records are read; nothing after a warning for a bad time step.
  std::optional<RecordReadOptions> ReadOptions() const;
  // Lists a record just added.
  void Append(const RecordEntry& entry);
  // Writes every record's numbers and the state of its spectrum.
  void ShowRows(const RecordSet& records);

  RecordTable* grdRecords = nullptr;
  QPushButton* btnAdd = nullptr;
  QPushButton* btnRemove = nullptr;
  QComboBox* cbbUnits = nullptr;
  QLineEdit* edtStep = nullptr;

 private:
  Desktop& desktop_;
};

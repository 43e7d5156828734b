// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

// The records window's report row: the project and engineer names the report is signed with,
// kept in the settings between sessions, and the button that saves the report.
class RecordReportRow : public QWidget {
 public:
  explicit RecordReportRow(QWidget* parent);

  // Keeps the typed names for the next session.
  void SaveNames() const;

  QLineEdit* edtProject = nullptr;
  QLineEdit* edtEngineer = nullptr;
  QPushButton* btnSaveReport = nullptr;
};

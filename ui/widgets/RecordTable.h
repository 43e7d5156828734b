// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTableWidget>
#include <vector>

// The list of ground-motion records: one row per record with its file name and figures, a
// check box "Real" the user sets (a recorded motion, or an artificial one when cleared) and
// the state of its spectrum. An effective duration too short for the structure is marked. Rows are
// found by the record's id; cells are not editable and texts are plain, never markup.
class RecordTable : public QTableWidget {
  Q_OBJECT

 public:
  enum Column {
    File,
    Description,
    Points,
    Step,
    Duration,
    EffectiveDuration,
    Pga,
    ScaleFactor,
    Real,
    Spectrum,
    ColumnCount
  };

  explicit RecordTable(QWidget* parent = nullptr);

  // Appends a row; texts for the columns File to ScaleFactor, in order. Ids must grow.
  void AppendRecord(int id, const QStringList& texts, bool real);
  void RemoveRecord(int id);
  void SetText(int id, Column column, const QString& text);
  // Marks a record's effective duration as too short for the structure (or clears the mark).
  void SetTooShort(int id, bool tooShort);
  bool IsTooShort(int id) const;
  // A tooltip shown as plain text; an empty one removes it.
  void SetToolTip(int id, Column column, const QString& text);

  int RowOf(int id) const;  // -1 when there is none
  int IdAt(int row) const;
  bool IsReal(int id) const;
  // Sets the check box as the user would, raising realChanged when it changes.
  void SetReal(int id, bool real);
  // Ids of the rows with a selected cell, top to bottom.
  std::vector<int> SelectedIds() const;

 signals:
  void realChanged(int id, bool real);
  // The Delete key was pressed with rows selected.
  void deleteRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OnItemChanged(QTableWidgetItem* item);
  bool programChange_ = false;
};

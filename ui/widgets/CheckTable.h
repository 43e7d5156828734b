#pragma once

#include <QTableWidget>

struct CheckResult;

// The compatibility check as a table: a row per main period (the period, each record's scaled
// PSA, their mean, the design value, the mean's deviation and the result), then a row with
// each record's effective duration against the shortest allowed, and a row with each
// record's kind against the share of real records. Results read "Pass" on green and "Fail" on
// red; so do the figures to blame. Record names are headings in plain text.
class CheckTable : public QTableWidget {
  Q_OBJECT

 public:
  explicit CheckTable(QWidget* parent = nullptr);

  void ShowResult(const CheckResult& result);
  void ClearResult();

  // Columns after the records' own.
  int MeanColumn() const { return columnCount() - 4; }
  int DesignColumn() const { return columnCount() - 3; }
  int DeviationColumn() const { return columnCount() - 2; }
  int ResultColumn() const { return columnCount() - 1; }
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableWidget>
#include <string>

struct CheckResult;

// The compatibility check as a table: a row per main period, in the order given and named T1
// (the longest) to Tn (the period, the mean of the records' scaled PSA, the design value, the
// mean's deviation, the result, then each record's PSA), then a row with each record's
// effective duration against the shortest allowed, a row with each record's kind against the
// share of real records, a row with each record's scale factor against the band (outside it a
// warning on amber, not a failure) and a row with the number of records against the least. The
// verdicts come before the records' columns, so they stay in view however many records there are.
// Results read "Pass" on green and "Fail" on red; so do the figures to blame. Record names are
// headings in plain text.
class CheckTable : public QTableWidget {
  Q_OBJECT

 public:
  explicit CheckTable(QWidget* parent = nullptr);

  // Numbers are written with the decimal separator.
  void ShowResult(const CheckResult& result, const std::string& separator);
  void ClearResult();

  enum Column { Period, Mean, Design, Deviation, Result, FirstRecord };
};

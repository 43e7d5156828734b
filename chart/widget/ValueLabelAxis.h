// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCategoryAxis>
#include <string>
#include <vector>

// An axis whose labels stand on given values and read as AxisLabelText writes them. Qt's value
// axis only takes printf formats, which cannot group thousands or drop trailing zeros.
class ValueLabelAxis : public QCategoryAxis {
  Q_OBJECT

 public:
  explicit ValueLabelAxis(QObject* parent = nullptr);

  // Shows labels at these ascending values with at most `decimals` decimals; nothing is
  // rebuilt when they are already shown.
  void ShowLabels(const std::vector<double>& values, int decimals);

  // Writes the texts again with this decimal separator (at first ".").
  void RefreshTexts(std::string decimalSeparator);

 private:
  void Rebuild();

  std::vector<double> values_;
  int decimals_ = 3;
  std::string separator_ = ".";
};

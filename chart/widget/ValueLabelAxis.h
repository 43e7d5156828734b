#pragma once

#include <QCategoryAxis>
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

  // Writes the texts again, for a changed decimal separator.
  void RefreshTexts();

 private:
  void Rebuild();

  std::vector<double> values_;
  int decimals_ = 3;
};

#include "chart/widget/ValueLabelAxis.h"

#include <utility>

#include "chart/rules/AxisLabelText.h"

ValueLabelAxis::ValueLabelAxis(QObject* parent) : QCategoryAxis(parent) {
  setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
}

void ValueLabelAxis::ShowLabels(const std::vector<double>& values) {
  if (values == values_) return;
  values_ = values;
  Rebuild();
}

void ValueLabelAxis::RefreshTexts(std::string decimalSeparator) {
  separator_ = std::move(decimalSeparator);
  Rebuild();
}

void ValueLabelAxis::Rebuild() {
  for (const QString& label : categoriesLabels()) remove(label);
  if (values_.empty()) return;
  setStartValue(values_.front());
  QString previous;
  for (double value : values_) {
    // Labels are rendered as rich text.
    const QString text = QString::fromStdString(AxisLabelText(value, separator_)).toHtmlEscaped();
    // The axis silently drops a repeated label; steps are wider than the rounding, so a
    // repeat could only come from values beyond 15 digits.
    if (text == previous) continue;
    append(text, value);
    previous = text;
  }
}

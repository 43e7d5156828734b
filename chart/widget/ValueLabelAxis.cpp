#include "chart/widget/ValueLabelAxis.h"

#include "chart/rules/AxisLabelText.h"

ValueLabelAxis::ValueLabelAxis(QObject* parent) : QCategoryAxis(parent) {
  setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
}

void ValueLabelAxis::ShowLabels(const std::vector<double>& values, int decimals) {
  if (values == values_ && decimals == decimals_) return;
  values_ = values;
  decimals_ = decimals;
  Rebuild();
}

void ValueLabelAxis::RefreshTexts() { Rebuild(); }

void ValueLabelAxis::Rebuild() {
  for (const QString& label : categoriesLabels()) remove(label);
  if (values_.empty()) return;
  setStartValue(values_.front());
  QString previous;
  for (double value : values_) {
    // Labels are rendered as rich text.
    const QString text = QString::fromStdString(AxisLabelText(value, decimals_)).toHtmlEscaped();
    // The axis silently drops a repeated label; the decimals follow the step, so a repeat
    // could only come from values beyond 15 digits.
    if (text == previous) continue;
    append(text, value);
    previous = text;
  }
}

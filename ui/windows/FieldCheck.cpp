// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/FieldCheck.h"

#include <QLineEdit>

#include "model/InputCheck.h"
#include "model/NumberText.h"
#include "ui/windows/WindowControls.h"

void FieldCheck::Refuse(const QString& text, QWidget* field) const {
  desktop_.Warning(text);
  field->setFocus();
}

std::optional<double> FieldCheck::Number(const QString& text, QWidget* field) const {
  const auto parsed = ParseNumber(text.toStdString(), DecimalSeparatorOf(desktop_));
  if (!parsed) {
    Refuse(QString::fromStdString(NotANumberText(text.toStdString())), field);
    return std::nullopt;
  }
  return ToDouble(*parsed);
}

std::optional<double> FieldCheck::Number(QLineEdit* field) const {
  return Number(field->text(), field);
}

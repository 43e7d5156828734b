// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/WindowControls.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "ui/platform/Desktop.h"

namespace {

constexpr int kButtonWidth = 96;

}  // namespace

QPushButton* MakeButton(const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setAutoDefault(false);
  button->setMinimumWidth(kButtonWidth);
  return button;
}

QComboBox* MakeList(std::span<const char* const> items, QWidget* parent) {
  auto* list = new QComboBox(parent);
  for (const char* item : items) list->addItem(QString::fromUtf8(item));
  return list;
}

QLabel* PlainLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setText(text);
  return label;
}

std::string DecimalSeparatorOf(const Desktop& desktop) {
  return DecimalSeparatorFrom(desktop.DecimalSymbol().toStdString());
}

QString GeneralText(double value, std::string_view separator) {
  return QString::fromStdString(FormatGeneral(value, separator));
}

QString PatternText(NumberPattern pattern, double value, std::string_view separator) {
  return QString::fromStdString(FormatPattern(pattern, value, separator));
}

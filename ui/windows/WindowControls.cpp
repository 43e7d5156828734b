// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/WindowControls.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

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

QString GeneralText(double value) { return QString::fromStdString(FormatGeneral(value)); }

QString PatternText(NumberPattern pattern, double value) {
  return QString::fromStdString(FormatPattern(pattern, value));
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/GradientStatusBar.h"

#include <QLinearGradient>
#include <QPainter>

GradientStatusBar::GradientStatusBar(QWidget* parent) : QWidget(parent) {}

void GradientStatusBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor face = palette().color(QPalette::Button);
  QLinearGradient gradient(0, 0, 0, height());
  gradient.setColorAt(0, face.lighter(112));
  gradient.setColorAt(1, face.darker(108));
  painter.fillRect(rect(), gradient);
}

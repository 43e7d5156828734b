// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/LinkLabel.h"

#include <QMouseEvent>
#include <QPalette>

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setText(text);
  // Moves must arrive without a pressed button.
  setMouseTracking(true);
  SetLook(false);
}

void LinkLabel::ResetLook() { SetLook(false); }

void LinkLabel::SetLook(bool highlighted) {
  highlighted_ = highlighted;
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, highlighted ? QColor(0, 0, 255) : QColor(0, 0, 0));
  setPalette(colours);
  QFont look = font();
  look.setBold(true);
  look.setUnderline(highlighted);
  setFont(look);
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event) {
  // Setting an unchanged look would only cost a relayout on every move.
  if (!highlighted_) SetLook(true);
  QLabel::mouseMoveEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
  SetLook(false);
  QLabel::leaveEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
  QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      event->button() == Qt::LeftButton && pressed_ && rect().contains(event->position().toPoint());
  if (event->button() == Qt::LeftButton) pressed_ = false;
  QLabel::mouseReleaseEvent(event);
  if (click) emit clicked();
}

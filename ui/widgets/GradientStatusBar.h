// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// The main window's status bar: a borderless bar painted with a soft vertical gradient,
// holding text panes placed by the window from its left edge.
class GradientStatusBar : public QWidget {
  Q_OBJECT

 public:
  explicit GradientStatusBar(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

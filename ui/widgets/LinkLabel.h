// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A label that behaves as a web link: every mouse move over it turns the text pure blue,
// bold and underlined; leaving it turns the text black and bold again; a left click
// (press and release inside) emits clicked(). The text is always plain text.
class LinkLabel : public QLabel {
  Q_OBJECT

 public:
  explicit LinkLabel(const QString& text = QString(), QWidget* parent = nullptr);

  // The normal look: black, bold, not underlined.
  void ResetLook();

 signals:
  void clicked();

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SetLook(bool highlighted);

  bool highlighted_ = false;
  bool pressed_ = false;
};

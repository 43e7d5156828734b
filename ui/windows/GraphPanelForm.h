// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

class ResponseChartView;

// The graph panel: a stay-on-top window that hosts the response chart while it is popped
// out of the main window. It holds no controls of its own and is destroyed when it closes.
class TForm2 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* owner);

  ResponseChartView* Chart = nullptr;  // hosted, not owned
  QWidget* HomeBox = nullptr;          // where the chart returns to

  // Puts the chart in `parent`, filling it, with the hint and Tag of that place.
  static void Dock(ResponseChartView& chart, QWidget& parent, bool out);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormClose();
};

// The graph panel created last; empty once it is destroyed.
extern QPointer<TForm2> Form2;

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHeaderView>
#include <QPointer>
#include <QTableView>

// The first columns of a table held in view while the others scroll under them: a view of the
// same model and selection laid over the table's left edge, showing only those columns, at
// the table's widths and vertical position. The table's row headings stay to its left.
class FrozenColumns : public QTableView {
  Q_OBJECT

 public:
  // Over `table`, which owns it; `count` columns from the left stay in view.
  FrozenColumns(QTableView& table, int count);

  int Count() const { return count_; }
  // Follows the table's columns and sizes; the table's own changes call it too.
  void Follow();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Place();

  QTableView& table_;
  int count_;
  // The table's parts, which go before its model when it is destroyed: the model's last
  // reset must then find them gone rather than read them.
  QPointer<QHeaderView> columns_;
  QPointer<QHeaderView> rows_;
  QPointer<QWidget> viewport_;
};

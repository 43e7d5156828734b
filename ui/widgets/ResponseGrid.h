// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>

class DataTableModel;

// The response data table: the period headings and the names stay in view as fixed headers
// while the values scroll both ways; cells can be selected in ranges but not edited.
class ResponseGrid : public QTableView {
  Q_OBJECT

 public:
  explicit ResponseGrid(QWidget* parent = nullptr);

  DataTableModel& Model() const { return *model_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  DataTableModel* model_;
};

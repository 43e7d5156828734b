// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHeaderView>

// A table header of one fixed thickness. Qt's header measures the text of every section for
// its size hint, which for the 121 period headings cost more than building the whole table.
class FixedHeader : public QHeaderView {
  Q_OBJECT

 public:
  FixedHeader(Qt::Orientation orientation, int thickness, QWidget* parent = nullptr);

  QSize sizeHint() const override;

 private:
  int thickness_;
};

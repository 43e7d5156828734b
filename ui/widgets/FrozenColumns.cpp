// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/FrozenColumns.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

FrozenColumns::FrozenColumns(QTableView& table, int count)
    : QTableView(&table),
      table_(table),
      count_(count),
      columns_(table.horizontalHeader()),
      rows_(table.verticalHeader()),
      viewport_(table.viewport()) {
  setModel(table.model());
  setSelectionModel(table.selectionModel());
  setFocusPolicy(Qt::NoFocus);
  verticalHeader()->hide();
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollMode(table.verticalScrollMode());
  setWordWrap(table.wordWrap());
  setFrameShape(QFrame::NoFrame);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  // A line at its right edge, so it reads as a fixed part and not as a cut column.
  setStyleSheet(QStringLiteral("QTableView { border: none; border-right: 2px solid #808080; }"));
  table.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  table.viewport()->stackUnder(this);

  connect(verticalScrollBar(), &QAbstractSlider::valueChanged, table.verticalScrollBar(),
          &QAbstractSlider::setValue);
  connect(table.verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
          &QAbstractSlider::setValue);
  connect(table.horizontalHeader(), &QHeaderView::sectionResized, this, [this] { Follow(); });
  connect(table.verticalHeader(), &QHeaderView::sectionResized, this, [this] { Follow(); });
  connect(table.verticalHeader(), &QHeaderView::geometriesChanged, this, [this] { Place(); });
  connect(table.horizontalHeader(), &QHeaderView::geometriesChanged, this, [this] { Place(); });
  QAbstractItemModel* source = table.model();
  connect(source, &QAbstractItemModel::columnsInserted, this, [this] { Follow(); });
  connect(source, &QAbstractItemModel::columnsRemoved, this, [this] { Follow(); });
  connect(source, &QAbstractItemModel::rowsInserted, this, [this] { Follow(); });
  connect(source, &QAbstractItemModel::modelReset, this, [this] { Follow(); });
  connect(source, &QAbstractItemModel::headerDataChanged, this, [this] { Follow(); });
  table.installEventFilter(this);
  Follow();
}

void FrozenColumns::Follow() {
  if (!columns_ || !rows_ || !viewport_) return;
  const int columns = model()->columnCount();
  for (int c = 0; c < columns; ++c) {
    setColumnHidden(c, c >= count_);
    if (c < count_) setColumnWidth(c, columns_->sectionSize(c));
  }
  for (int r = 0; r < model()->rowCount(); ++r) setRowHeight(r, rows_->sectionSize(r));
  horizontalHeader()->setFixedHeight(columns_->height());
  Place();
}

void FrozenColumns::Place() {
  if (!columns_ || !viewport_) return;
  int width = 0;
  for (int c = 0; c < count_ && c < model()->columnCount(); ++c) width += columns_->sectionSize(c);
  // Beside the table's row headings, which stay in view anyway, over its first columns.
  const int frame = table_.frameWidth();
  const int height = viewport_->height() + columns_->height();
  setGeometry(viewport_->x(), frame, width + 2, height);
  setVisible(model()->columnCount() > count_);
}

bool FrozenColumns::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &table_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show ||
                             event->type() == QEvent::LayoutRequest)) {
    Place();
  }
  return QTableView::eventFilter(watched, event);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/ResponseGrid.h"

#include <QAbstractButton>
#include <QPaintEvent>
#include <QStyleOptionHeader>
#include <QStylePainter>

#include "ui/widgets/DataTableModel.h"
#include "ui/widgets/FixedHeader.h"

namespace {
constexpr int kNameColumnWidth = 85;
constexpr int kColumnWidth = 64;
constexpr int kRowHeight = 24;
}  // namespace

ResponseGrid::ResponseGrid(QWidget* parent) : QTableView(parent), model_(new DataTableModel(this)) {
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);

  // Headers before the model, so no section is ever measured for a size hint.
  auto* top = new FixedHeader(Qt::Horizontal, kRowHeight, this);
  top->setDefaultSectionSize(kColumnWidth);
  setHorizontalHeader(top);
  auto* side = new FixedHeader(Qt::Vertical, kNameColumnWidth, this);
  side->setDefaultSectionSize(kRowHeight);
  setVerticalHeader(side);
  setModel(model_);

  // The corner cell carries the names column's heading; Qt's corner button draws no text.
  if (auto* corner = findChild<QAbstractButton*>()) {
    corner->disconnect();  // a heading cell, not a select-all button
    corner->installEventFilter(this);
  }
}

bool ResponseGrid::eventFilter(QObject* watched, QEvent* event) {
  auto* corner = qobject_cast<QAbstractButton*>(watched);
  if (corner == nullptr || event->type() != QEvent::Paint)
    return QTableView::eventFilter(watched, event);
  QStylePainter painter(corner);
  QStyleOptionHeader option;
  option.initFrom(corner);
  option.state = QStyle::State_Enabled | QStyle::State_Raised;
  option.rect = corner->rect();
  option.position = QStyleOptionHeader::OnlyOneSection;
  option.text = model_->CellText(0, 0);
  option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
  painter.drawControl(QStyle::CE_Header, option);
  return true;
}

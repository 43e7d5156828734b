// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/SpectrumCheckList.h"

#include <QMouseEvent>
#include <QScopedValueRollback>

namespace {
constexpr int kItemHeight = 17;
}  // namespace

SpectrumCheckList::SpectrumCheckList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSortingEnabled(false);
  setUniformItemSizes(true);
  connect(this, &QListWidget::itemChanged, this, &SpectrumCheckList::OnItemChanged);
}

void SpectrumCheckList::AppendChecked(const QString& text) {
  QScopedValueRollback guard(programChange_, true);
  auto* item = new QListWidgetItem;
  // Set before insertion so no markup interpretation or extra change notice can happen.
  item->setData(Qt::DisplayRole, text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
  item->setCheckState(Qt::Unchecked);
  const QModelIndex current = currentIndex();
  addItem(item);
  // Fixed height, so a name with a line break does not make every row taller.
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  const QModelIndex index = indexFromItem(item);
  item->setSizeHint({itemDelegateForIndex(index)->sizeHint(option, index).width(), kItemHeight});
  item->setCheckState(Qt::Checked);
  if (!current.isValid() && currentIndex().isValid())
    selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
}

void SpectrumCheckList::DeleteFirst(const QString& text) {
  for (int row = 0; row < count(); ++row) {
    if (item(row)->text() != text) continue;
    const int currentPosition = currentRow();
    QScopedValueRollback guard(programChange_, true);
    delete takeItem(row);
    if (currentPosition >= 0 && count() > 0)
      setCurrentRow(std::min(currentPosition, count() - 1), QItemSelectionModel::NoUpdate);
    return;
  }
}

void SpectrumCheckList::DeleteAll() {
  QScopedValueRollback guard(programChange_, true);
  clear();
}

bool SpectrumCheckList::IsChecked(int row) const {
  const QListWidgetItem* it = item(row);
  return it != nullptr && it->checkState() == Qt::Checked;
}

void SpectrumCheckList::mousePressEvent(QMouseEvent* event) {
  QListWidget::mousePressEvent(event);
  // The delegate takes a press on a check box for itself, and the base class then leaves the
  // current item where it was.
  const QModelIndex pressed = indexAt(event->position().toPoint());
  if (pressed.isValid() && pressed != currentIndex()) {
    selectionModel()->setCurrentIndex(pressed, QItemSelectionModel::NoUpdate);
  }
}

void SpectrumCheckList::OnItemChanged(QListWidgetItem* changed) {
  if (programChange_) return;
  emit checkStateChanged(row(changed), changed->checkState() == Qt::Checked);
}

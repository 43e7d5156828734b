// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/RecordTable.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <set>

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kTooShortRole = Qt::UserRole + 1;
const QColor kTooShortBack(0xFF, 0xC7, 0xCE);
const QColor kTooShortText(0x9C, 0x00, 0x06);

QTableWidgetItem* TextItem(const QString& text, Qt::Alignment alignment) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  item->setTextAlignment(alignment | Qt::AlignVCenter);
  return item;
}

QString KindText(bool real) { return real ? QStringLiteral("Real") : QStringLiteral("Artificial"); }

}  // namespace

RecordTable::RecordTable(QWidget* parent) : QTableWidget(0, ColumnCount, parent) {
  setHorizontalHeaderLabels({QStringLiteral("File"), QStringLiteral("Event, Station, Component"),
                             QStringLiteral("Points"), QStringLiteral("Step (s)"),
                             QStringLiteral("Duration (s)"), QStringLiteral("Effective (s)"),
                             QStringLiteral("PGA (g)"), QStringLiteral("Scale Factor"),
                             QStringLiteral("Real"), QStringLiteral("Spectrum")});
  horizontalHeaderItem(EffectiveDuration)
      ->setToolTip(QStringLiteral(
          "Effective duration: the time from the first to the last instant at which the "
          "acceleration reaches 10 % of its peak. The code asks for at least 5 times the "
          "fundamental period T1, the longest main period; shorter ones are marked."));
  horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  horizontalHeader()->setSectionResizeMode(File, QHeaderView::Stretch);
  verticalHeader()->setVisible(false);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  connect(this, &QTableWidget::itemChanged, this, &RecordTable::OnItemChanged);
}

void RecordTable::AppendRecord(int id, const QStringList& texts, bool real) {
  programChange_ = true;
  const int row = rowCount();
  insertRow(row);
  for (int column = File; column <= ScaleFactor; ++column) {
    const QString text = column < texts.size() ? texts[column] : QString();
    const bool words = column == File || column == Description;
    setItem(row, column, TextItem(text, words ? Qt::AlignLeft : Qt::AlignRight));
  }
  item(row, File)->setData(kIdRole, id);
  auto* kind = TextItem(KindText(real), Qt::AlignLeft);
  kind->setFlags(kind->flags() | Qt::ItemIsUserCheckable);
  kind->setCheckState(real ? Qt::Checked : Qt::Unchecked);
  setItem(row, Real, kind);
  setItem(row, Spectrum, TextItem(QString(), Qt::AlignLeft));
  programChange_ = false;
}

void RecordTable::RemoveRecord(int id) {
  const int row = RowOf(id);
  if (row >= 0) removeRow(row);
}

void RecordTable::SetText(int id, Column column, const QString& text) {
  const int row = RowOf(id);
  if (row < 0 || item(row, column) == nullptr || item(row, column)->text() == text) return;
  programChange_ = true;
  item(row, column)->setText(text);
  programChange_ = false;
}

void RecordTable::SetTooShort(int id, bool tooShort) {
  const int row = RowOf(id);
  QTableWidgetItem* cell = row >= 0 ? item(row, EffectiveDuration) : nullptr;
  if (cell == nullptr || cell->data(kTooShortRole).toBool() == tooShort) return;
  programChange_ = true;
  cell->setData(kTooShortRole, tooShort);
  cell->setBackground(tooShort ? QBrush(kTooShortBack) : QBrush());
  cell->setForeground(tooShort ? QBrush(kTooShortText) : QBrush());
  cell->setToolTip(tooShort ? QStringLiteral("Shorter than 5 T1: too short for the structure.")
                            : QString());
  programChange_ = false;
}

bool RecordTable::IsTooShort(int id) const {
  const int row = RowOf(id);
  const QTableWidgetItem* cell = row >= 0 ? item(row, EffectiveDuration) : nullptr;
  return cell != nullptr && cell->data(kTooShortRole).toBool();
}

void RecordTable::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete && !SelectedIds().empty()) {
    emit deleteRequested();
    event->accept();
    return;
  }
  QTableWidget::keyPressEvent(event);
}

void RecordTable::SetToolTip(int id, Column column, const QString& text) {
  const int row = RowOf(id);
  if (row < 0 || item(row, column) == nullptr) return;
  // Tooltips take rich text when it looks like markup; a reason may quote a file's content.
  item(row, column)
      ->setToolTip(text.isEmpty() ? QString()
                                  : QStringLiteral("<p>%1</p>").arg(text.toHtmlEscaped()));
}

int RecordTable::RowOf(int id) const {
  // Ids grow with the rows: each record is appended with a larger id than those before.
  int low = 0;
  int high = rowCount() - 1;
  while (low <= high) {
    const int row = low + (high - low) / 2;
    const int at = IdAt(row);
    if (at == id) return row;
    if (at < id) {
      low = row + 1;
    } else {
      high = row - 1;
    }
  }
  return -1;
}

int RecordTable::IdAt(int row) const {
  const QTableWidgetItem* first = item(row, File);
  return first != nullptr ? first->data(kIdRole).toInt() : -1;
}

bool RecordTable::IsReal(int id) const {
  const int row = RowOf(id);
  return row >= 0 && item(row, Real)->checkState() == Qt::Checked;
}

void RecordTable::SetReal(int id, bool real) {
  const int row = RowOf(id);
  if (row >= 0) item(row, Real)->setCheckState(real ? Qt::Checked : Qt::Unchecked);
}

std::vector<int> RecordTable::SelectedIds() const {
  std::set<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.insert(index.row());
  std::vector<int> ids;
  for (const int row : rows) ids.push_back(IdAt(row));
  return ids;
}

void RecordTable::OnItemChanged(QTableWidgetItem* changed) {
  if (programChange_ || changed->column() != Real) return;
  const bool real = changed->checkState() == Qt::Checked;
  programChange_ = true;
  changed->setText(KindText(real));
  programChange_ = false;
  emit realChanged(IdAt(changed->row()), real);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/DataTableModel.h"

#include "model/DesignSpectrum.h"
#include "model/NumberText.h"
#include "model/SpectrumList.h"
#include "model/SpectrumSampling.h"

DataTableModel::DataTableModel(QObject* parent) : QAbstractTableModel(parent), rows_(1) {
  RefreshTexts(separator_);
}

void DataTableModel::SetGridRowCount(int count) {
  ResizeRows(static_cast<std::size_t>(std::max(count - 1, 1)));
}

void DataTableModel::ResizeRows(std::size_t count) {
  const auto old = rows_.size();
  if (count > old) {
    beginInsertRows({}, static_cast<int>(old), static_cast<int>(count) - 1);
    rows_.resize(count);
    endInsertRows();
  } else if (count < old) {
    beginRemoveRows({}, static_cast<int>(count), static_cast<int>(old) - 1);
    rows_.resize(count);
    endRemoveRows();
  }
}

void DataTableModel::WriteDataRow(int row, const DesignSpectrum& spectrum) {
  if (row < 1 || row > DataRowCount()) return;
  FillRow(rows_[static_cast<std::size_t>(row - 1)], spectrum);
  emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
  emit dataChanged(index(row - 1, 0), index(row - 1, kColumnCount - 2));
}

void DataTableModel::FillRow(Row& row, const DesignSpectrum& spectrum) {
  row.name = QString::fromStdString(spectrum.name);
  row.values = SampleSpectrum(spectrum, kCoarsePeriodCount, CoarsePeriod);
}

void DataTableModel::Rebuild(const SpectrumList& spectra) {
  beginResetModel();
  rows_.assign(std::max<std::size_t>(spectra.Size(), 1), Row{});
  for (std::size_t k = 0; k < spectra.Size(); ++k) FillRow(rows_[k], spectra.At(k));
  endResetModel();
}

void DataTableModel::RefreshTexts(std::string decimalSeparator) {
  separator_ = std::move(decimalSeparator);
  headings_.clear();
  for (std::int32_t m = 0; m < kCoarsePeriodCount; ++m)
    headings_.append(QString::fromStdString(FormatGeneral(CoarsePeriod(m), separator_)));
  emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 2);
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(DataRowCount() - 1, kColumnCount - 2));
}

QString DataTableModel::CellText(int column, int row) const {
  if (column < 0 || column >= kColumnCount || row < 0 || row > DataRowCount()) return {};
  if (row == 0) return column == 0 ? QStringLiteral(" Name") : headings_[column - 1];
  const Row& r = rows_[static_cast<std::size_t>(row - 1)];
  if (column == 0) return r.name;
  const auto m = static_cast<std::size_t>(column - 1);
  if (m >= r.values.size()) return {};
  return QString::fromStdString(FormatPattern(NumberPattern::SixDecimals, r.values[m], separator_));
}

int DataTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : DataRowCount();
}

int DataTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount - 1;
}

QVariant DataTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return CellText(index.column() + 1, index.row() + 1);
}

QVariant DataTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  return orientation == Qt::Horizontal ? CellText(section + 1, 0) : CellText(0, section + 1);
}

Qt::ItemFlags DataTableModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

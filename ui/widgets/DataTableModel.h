// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

class DesignSpectrum;
class SpectrumList;

// The texts of the response data table. Column 0 holds the names and row 0 the period
// headings; both are shown as the view's fixed headers. A data row keeps the name and the
// Sa values it was written with; texts are made when they are shown, so rebuilding many
// rows costs only the evaluations.
class DataTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumnCount = 122;  // names + 121 periods

  explicit DataTableModel(QObject* parent = nullptr);

  // Number of data rows (grid rows minus the heading row); at least 1.
  int DataRowCount() const { return static_cast<int>(rows_.size()); }
  // Grid row count including the heading row; rows beyond the old count start blank.
  void SetGridRowCount(int count);
  // Writes the name and the Sa values of one spectrum into data row `row` (1-based).
  void WriteDataRow(int row, const DesignSpectrum& spectrum);
  // One data row per spectrum, in list order; the heading row and one blank data row when
  // the list is empty.
  void Rebuild(const SpectrumList& spectra);
  // Texts are written with this decimal separator (at first "."); call when it changed.
  void RefreshTexts(std::string decimalSeparator);

  // The grid's text at (column, row), row 0 and column 0 being the headings.
  QString CellText(int column, int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  struct Row {
    QString name;
    std::vector<double> values;  // as many as were evaluated without failure
  };
  void ResizeRows(std::size_t count);
  static void FillRow(Row& row, const DesignSpectrum& spectrum);
  std::vector<Row> rows_;
  QStringList headings_;
  std::string separator_ = ".";
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/CheckTable.h"

#include <QFontMetrics>
#include <QHeaderView>

#include "model/NumberText.h"
#include "records/CompatibilityCheck.h"

namespace {

constexpr int kMaxHeadingWidth = 140;  // px
const QColor kPassBack(0xC6, 0xEF, 0xCE);
const QColor kPassText(0x00, 0x61, 0x00);
const QColor kFailBack(0xFF, 0xC7, 0xCE);
const QColor kFailText(0x9C, 0x00, 0x06);
const QColor kWarnBack(0xFF, 0xEB, 0x9C);
const QColor kWarnText(0x9C, 0x57, 0x00);

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }
QString Pattern(NumberPattern pattern, double value, const std::string& separator) {
  return Text(FormatPattern(pattern, value, separator));
}

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment = Qt::AlignRight) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  item->setTextAlignment(alignment | Qt::AlignVCenter);
  return item;
}

// Marks a cell as passing or failing.
QTableWidgetItem* Marked(QTableWidgetItem* item, bool passes) {
  item->setBackground(passes ? kPassBack : kFailBack);
  item->setForeground(passes ? kPassText : kFailText);
  return item;
}

// Marks a cell as a warning, which is not a failure.
QTableWidgetItem* Warned(QTableWidgetItem* item) {
  item->setBackground(kWarnBack);
  item->setForeground(kWarnText);
  return item;
}

QTableWidgetItem* Verdict(bool passes) {
  QTableWidgetItem* item =
      Cell(passes ? QStringLiteral("Pass") : QStringLiteral("Fail"), Qt::AlignHCenter);
  QFont font = item->font();
  font.setBold(true);
  item->setFont(font);
  return Marked(item, passes);
}

}  // namespace

CheckTable::CheckTable(QWidget* parent) : QTableWidget(parent) {
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  ClearResult();
}

void CheckTable::ClearResult() {
  clear();
  setRowCount(0);
  setColumnCount(0);
}

void CheckTable::ShowResult(const CheckResult& result, const std::string& separator) {
  ClearResult();
  const int records = static_cast<int>(result.records.size());
  const int periods = static_cast<int>(result.periods.size());
  setColumnCount(FirstRecord + records);
  setRowCount(periods + 4);

  QStringList columns{QStringLiteral("Period (s)"), QStringLiteral("Mean (g)"),
                      QStringLiteral("Design (g)"), QStringLiteral("Deviation (%)"),
                      QStringLiteral("Result")};
  // A long file name is elided in its heading rather than pushing the others out of view.
  const QFontMetrics metrics = horizontalHeader()->fontMetrics();
  for (const RecordCheck& record : result.records) {
    columns << metrics.elidedText(Text(record.name), Qt::ElideMiddle, kMaxHeadingWidth);
  }
  setHorizontalHeaderLabels(columns);
  // The periods keep the order they were typed in; their names follow the code's, T1 the
  // longest (the fundamental period), then shorter ones.
  QStringList rows;
  for (const PeriodCheck& check : result.periods) {
    int rank = 1;
    for (const PeriodCheck& other : result.periods) rank += other.period > check.period ? 1 : 0;
    rows << (rank == 1 ? QStringLiteral("T1 (fundamental)") : QStringLiteral("T%1").arg(rank));
  }
  rows << QStringLiteral("Duration (s) ≥ 5 T1") << QStringLiteral("Real / Artificial")
       << QStringLiteral("Scale factor") << QStringLiteral("Records");
  setVerticalHeaderLabels(rows);

  for (int row = 0; row < periods; ++row) {
    const PeriodCheck& check = result.periods[static_cast<std::size_t>(row)];
    setItem(row, Period, Cell(Text(FormatGeneral(check.period, separator))));
    for (int k = 0; k < records; ++k) {
      setItem(row, FirstRecord + k,
              Cell(Pattern(NumberPattern::SixDecimals, check.psa[static_cast<std::size_t>(k)],
                           separator)));
    }
    setItem(row, Mean, Cell(Pattern(NumberPattern::SixDecimals, check.mean, separator)));
    setItem(row, Design, Cell(Pattern(NumberPattern::SixDecimals, check.design, separator)));
    setItem(row, Deviation,
            Marked(Cell(Pattern(NumberPattern::TwoDecimals, check.deviationPercent, separator)),
                   check.passes));
    setItem(row, Result, Verdict(check.passes));
  }

  const int durationRow = periods;
  bool durationsPass = true;
  for (int k = 0; k < records; ++k) {
    const RecordCheck& record = result.records[static_cast<std::size_t>(k)];
    durationsPass = durationsPass && !record.tooShort;
    setItem(durationRow, FirstRecord + k,
            Marked(Cell(Pattern(NumberPattern::TwoDecimals, record.effectiveDuration, separator)),
                   !record.tooShort));
  }
  setItem(durationRow, Design,
          Cell(QStringLiteral("≥ ") +
               Pattern(NumberPattern::TwoDecimals, result.minimumDuration, separator)));
  setItem(durationRow, Result, Verdict(durationsPass));

  const int kindRow = periods + 1;
  for (int k = 0; k < records; ++k) {
    const bool real = result.records[static_cast<std::size_t>(k)].real;
    setItem(kindRow, FirstRecord + k,
            Cell(real ? QStringLiteral("Real") : QStringLiteral("Artificial"), Qt::AlignHCenter));
  }
  setItem(kindRow, Design, Cell(QStringLiteral("≥ 2/3 real")));
  setItem(kindRow, Deviation,
          Marked(Cell(QStringLiteral("%1 of %2 real").arg(result.realCount).arg(records)),
                 !result.tooFewReal));
  setItem(kindRow, Result, Verdict(!result.tooFewReal));

  // A factor outside the band is a warning: the set may still pass.
  const int scaleRow = periods + 2;
  for (int k = 0; k < records; ++k) {
    const RecordCheck& record = result.records[static_cast<std::size_t>(k)];
    QTableWidgetItem* cell =
        Cell(Pattern(NumberPattern::SixDecimals, record.scaleFactor, separator));
    setItem(scaleRow, FirstRecord + k, record.scaleOutsideBand ? Warned(cell) : cell);
  }
  setItem(scaleRow, Design,
          Cell(Text(FormatGeneral(result.scaleBand.low, separator)) + QStringLiteral(" to ") +
               Text(FormatGeneral(result.scaleBand.high, separator))));
  setItem(scaleRow, Result,
          result.scaleWarnings.empty() ? Cell(QStringLiteral("In band"), Qt::AlignHCenter)
                                       : Warned(Cell(QStringLiteral("Warning"), Qt::AlignHCenter)));

  const int countRow = periods + 3;
  const bool enough = result.setRule != SetRule::TooFew;
  setItem(countRow, Design, Cell(QStringLiteral("≥ %1").arg(kLeastRecords)));
  setItem(countRow, Deviation, Marked(Cell(QString::number(records)), enough));
  setItem(countRow, Result, Verdict(enough));
  // Once at the end: sizing the columns to their contents as each cell arrives costs the
  // square of the cells.
  resizeColumnsToContents();
}

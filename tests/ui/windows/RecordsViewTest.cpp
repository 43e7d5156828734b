// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QUrl>
#include <algorithm>

#include "tests/ui/windows/RecordsWindowFixture.h"
#include "ui/widgets/CheckTable.h"
#include "ui/widgets/FrozenColumns.h"
#include "ui/widgets/RecordChart.h"
#include "ui/widgets/RecordTable.h"

namespace {

QString ItemText(const QTableWidget& table, int row, int column) {
  const QTableWidgetItem* item = table.item(row, column);
  return item != nullptr ? item->text() : QString();
}

TEST_F(RecordsWindowTest, TwentyRecordsReadAtAGlanceInASmallWindow) {
  records->resize(1000, 650);
  QStringList paths;
  for (int i = 0; i < 20; ++i) {
    paths << WriteRecord(QStringLiteral("record%1.txt").arg(i), 700, 0.1, 0.2 + 0.05 * i);
  }
  Add(paths);
  CheckAgainst("S", "1.2 0.4");  // blanks separate periods too
  ASSERT_TRUE(WaitForSpectra());
  ASSERT_TRUE(records->Check().has_value());
  QCoreApplication::processEvents();

  // Every line in the legend, and the legend beside the plot, never over it.
  RecordChart& chart = *records->chtRecords;
  ASSERT_EQ(chart.SeriesCount(), 24);
  EXPECT_EQ(chart.lstLegend->count(), 24);
  EXPECT_FALSE(chart.lstLegend->geometry().intersects(chart.PlotArea().toAlignedRect()));
  EXPECT_GT(chart.PlotArea().width(), 250);
  EXPECT_EQ(chart.Content().markers, (std::vector<double>{1.2, 0.4}));
  // The whole band is inside the vertical range, and no record is drawn in the design's red.
  double bandTop = 0;
  for (const ChartPoint& p : chart.Series(1).Points()) bandTop = std::max(bandTop, p.y);
  EXPECT_GE(SpectraPlot::Ranges(chart.Content()).yMax, bandTop);
  for (int i = 4; i < chart.SeriesCount(); ++i) {
    const int hue = QColor::fromRgb(chart.Series(i).Color()).hsvHue();
    EXPECT_TRUE(hue < 0 || (hue > 30 && hue < 330)) << chart.Series(i).Title() << " hue " << hue;
  }

  // A hidden record stays hidden when the chart is drawn anew; log axes start above 0.
  chart.SetSeriesShown(5, false);
  EXPECT_FALSE(chart.Series(5).Active());
  records->btnCheck->click();
  EXPECT_FALSE(chart.Series(5).Active());
  chart.chkLogPeriod->setChecked(true);
  chart.chkLogSa->setChecked(true);
  const SpectraPlotRanges log = SpectraPlot::Ranges(chart.Content());
  EXPECT_GT(log.xMin, 0);
  EXPECT_GT(log.yMin, 0);
  EXPECT_FALSE(chart.RenderImage().isNull());

  // Scrolled to the last record, the summary columns are still in view.
  CheckTable& table = *records->grdCheck;
  table.horizontalScrollBar()->setValue(table.horizontalScrollBar()->maximum());
  ASSERT_GT(table.horizontalScrollBar()->maximum(), 0) << "20 records do not fit: it scrolls";
  const FrozenColumns& summary = *records->findChild<FrozenColumns*>();
  EXPECT_TRUE(summary.isVisible());
  EXPECT_TRUE(summary.isColumnHidden(CheckTable::FirstRecord));
  const QRect result = summary.visualRect(summary.model()->index(0, CheckTable::Result));
  EXPECT_TRUE(summary.viewport()->rect().contains(result));
  EXPECT_LT(summary.geometry().right(), table.viewport()->width() - 40) << "records beside it";
  // To look at the window by eye: TREMVALE_KEEP_WINDOW=<png path>.
  if (qEnvironmentVariableIsSet("TREMVALE_KEEP_WINDOW")) {
    records->grab().save(qEnvironmentVariable("TREMVALE_KEEP_WINDOW"), "PNG");
  }
  // Unscrolled, it lies exactly over the table's own summary columns.
  table.horizontalScrollBar()->setValue(0);
  const QModelIndex first = summary.model()->index(0, 0);
  EXPECT_EQ(summary.viewport()->mapTo(records, summary.visualRect(first).topLeft()).x(),
            table.viewport()->mapTo(records, table.visualRect(first).topLeft()).x());
  EXPECT_EQ(summary.viewport()->mapTo(records, summary.visualRect(first).topLeft()).y(),
            table.viewport()->mapTo(records, table.visualRect(first).topLeft()).y());
}

TEST_F(RecordsWindowTest, TheListShowsDescriptionsAndShortRecordsAndDeleteRemoves) {
  const QString at2 = WriteFile(
      "kobe.AT2", "PEER\nKobe, 1/16/1995, KJMA, 000\nUNITS OF G\nNPTS= 3, DT= .01 SEC\n.1 .2 .1\n");
  Add({at2, WriteRecord("long.txt", 2000)});
  CheckAgainst("S", "1");  // effective durations of 5 s and more
  ASSERT_TRUE(WaitForSpectra());
  RecordTable& list = *records->grdRecords;
  EXPECT_EQ(ItemText(list, 0, RecordTable::Description), "Kobe, 1/16/1995, KJMA, 000");
  EXPECT_TRUE(list.IsTooShort(list.IdAt(0)));
  EXPECT_FALSE(list.IsTooShort(list.IdAt(1)));
  EXPECT_FALSE(list.horizontalHeaderItem(RecordTable::EffectiveDuration)->toolTip().isEmpty());

  list.selectRow(0);
  QTest::keyClick(&list, Qt::Key_Delete);
  ASSERT_EQ(list.rowCount(), 1);
  EXPECT_EQ(ItemText(list, 0, RecordTable::File), "long.txt");
}

TEST_F(RecordsWindowTest, ADragOfNoLocalFileIsRefused) {
  QMimeData data;
  data.setUrls({QUrl(QStringLiteral("https://example.org/quake.AT2"))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  enter.ignore();
  QCoreApplication::sendEvent(records, &enter);
  EXPECT_FALSE(enter.isAccepted());
}

TEST_F(RecordsWindowTest, ATypedTargetStartsFromTheTablesTarget) {
  records->cbbTarget->setCurrentIndex(2);  // no scaling
  records->cbbTargetChange();
  EXPECT_TRUE(records->edtTargetPga->text().isEmpty());
  records->cbbTarget->setCurrentIndex(1);  // typed
  records->cbbTargetChange();
  EXPECT_EQ(records->edtTargetPga->text(), "18");
  EXPECT_FALSE(records->edtTargetPga->isReadOnly());
}

}  // namespace

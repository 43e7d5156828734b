// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QUrl>

#include "model/NumberText.h"
#include "model/SpectrumList.h"
#include "records/CompatibilityCheck.h"
#include "records/RecordScaling.h"
#include "tests/ui/windows/RecordsWindowFixture.h"
#include "ui/widgets/CheckTable.h"
#include "ui/widgets/RecordChart.h"
#include "ui/widgets/RecordTable.h"
#include "ui/widgets/SpectrumCheckList.h"

namespace {

QString ItemText(const QTableWidget& table, int row, int column) {
  const QTableWidgetItem* item = table.item(row, column);
  return item != nullptr ? item->text() : QString();
}

std::vector<std::string> SeriesTitles(const RecordChart& chart) {
  std::vector<std::string> titles;
  for (int i = 0; i < chart.SeriesCount(); ++i) titles.push_back(chart.Series(i).Title());
  return titles;
}

TEST_F(RecordsWindowTest, MenuOpensOneNonModalWindowOwnedByTheMainWindow) {
  EXPECT_TRUE(records->isVisible());
  EXPECT_TRUE(records->isWindow());
  EXPECT_FALSE(records->isModal());
  EXPECT_EQ(records->parent(), form.get());
  records->close();
  form->Records1->trigger();
  EXPECT_EQ(form->RecordsForm, records);
  EXPECT_TRUE(records->isVisible());
}

TEST_F(RecordsWindowTest, AddedRecordsAreListedAndTheirSpectraArriveScaled) {
  Add({ElCentro(), WriteRecord("quake b.txt", 1500)});
  EXPECT_EQ(desktop.openDialogs().size(), 1u);
  const RecordTable& table = *records->grdRecords;
  ASSERT_EQ(table.rowCount(), 2);
  EXPECT_EQ(ItemText(table, 0, RecordTable::File), "elCentro.AT2");
  EXPECT_EQ(ItemText(table, 0, RecordTable::Points), "1559");
  EXPECT_EQ(ItemText(table, 0, RecordTable::Step), "0.02");
  EXPECT_EQ(ItemText(table, 0, RecordTable::Duration), "31.16");
  EXPECT_EQ(ItemText(table, 1, RecordTable::File), "quake b.txt");
  EXPECT_TRUE(table.IsReal(table.IdAt(1)));

  ASSERT_TRUE(WaitForSpectra());
  EXPECT_EQ(ItemText(table, 0, RecordTable::Spectrum), "Ready");
  EXPECT_EQ(records->pbCompute->value(), records->pbCompute->maximum());
  // Scaled to the first row of the code table: 18 cm/s2.
  const RecordEntry& first = records->Records()[0];
  EXPECT_NEAR(first.scaleFactor * first.peak * 980.665, 18, 1e-9);
  EXPECT_EQ(SeriesTitles(*records->chtRecords),
            (std::vector<std::string>{"Mean", "elCentro.AT2", "quake b.txt"}));
  const ChartSeries& line = records->chtRecords->Series(1);
  ASSERT_EQ(line.Points().size(), 601u);
  EXPECT_DOUBLE_EQ(line.Points()[0].y, first.spectrum->psa[0] * first.scaleFactor);
  const double mean = (line.Points()[100].y + records->chtRecords->Series(2).Points()[100].y) / 2;
  EXPECT_DOUBLE_EQ(records->chtRecords->Series(0).Points()[100].y, mean);
}

TEST_F(RecordsWindowTest, BadFilesOfOneAddShareOneMessageAndTheGoodOnesAreAdded) {
  const QString bad = WriteFile("bad.txt", "0 0.1\n0.01 x\n");
  const QString flat = WriteFile("flat.txt", "0 0\n0.01 0\n0.02 0\n");
  const QString good = WriteRecord("good.txt", 300);
  Add({bad, good, flat, good, folder.filePath("missing.txt")});
  EXPECT_EQ(records->grdRecords->rowCount(), 1);
  const std::vector<QString> warnings = desktop.Texts(MessageKind::Warning);
  ASSERT_EQ(warnings.size(), 1u);
  // In the order the files were given, one line each.
  const QStringList lines = warnings[0].split('\n');
  ASSERT_EQ(lines.size(), 6);
  EXPECT_EQ(lines[0], "4 files could not be added:");
  EXPECT_TRUE(lines[2].startsWith("bad.txt, line 2")) << lines[2].toStdString();
  EXPECT_EQ(lines[3], "flat.txt: every acceleration is zero, so the record cannot be scaled.");
  EXPECT_EQ(lines[4], "\"good.txt\" is already in the list.");
  EXPECT_TRUE(lines[5].startsWith("Cannot read file \"")) << lines[5].toStdString();
}

TEST_F(RecordsWindowTest, DroppedFilesAreAdded) {
  auto* data = new QMimeData;
  data->setUrls({QUrl::fromLocalFile(WriteRecord("dropped.txt", 400))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(records, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(records, &drop);
  delete data;
  ASSERT_TRUE(WaitForFiles());
  ASSERT_EQ(records->grdRecords->rowCount(), 1);
  EXPECT_EQ(ItemText(*records->grdRecords, 0, RecordTable::File), "dropped.txt");
}

TEST_F(RecordsWindowTest, ARecordRemovedWhileComputingNeverComesBack) {
  records->AddFiles({WriteRecord("long.txt", 40000), WriteRecord("short.txt", 500)});
  ASSERT_TRUE(records->Computing());
  records->grdRecords->selectRow(0);
  records->btnRemove->click();
  ASSERT_TRUE(WaitForSpectra());
  QCoreApplication::processEvents();
  ASSERT_EQ(records->Records().size(), 1u);
  EXPECT_EQ(records->Records()[0].motion->name, "short.txt");
  EXPECT_EQ(records->grdRecords->rowCount(), 1);
  EXPECT_EQ(SeriesTitles(*records->chtRecords), (std::vector<std::string>{"Mean", "short.txt"}));
}

TEST_F(RecordsWindowTest, ClosingWhileComputingKeepsTheRecordsForTheNextShowing) {
  Add({WriteRecord("a.txt", 30000)});
  records->close();
  EXPECT_FALSE(records->isVisible());
  ASSERT_TRUE(WaitForSpectra());
  form->Records1->trigger();
  EXPECT_EQ(ItemText(*records->grdRecords, 0, RecordTable::Spectrum), "Ready");
}

TEST_F(RecordsWindowTest, MainWindowClosedWhileComputingEndsCleanly) {
  records->AddFiles({WriteRecord("a.txt", 40000), WriteRecord("b.txt", 40000)});
  records->QueueFiles({WriteRecord("c.txt", 40000)});
  ASSERT_TRUE(records->Computing());
  ASSERT_TRUE(records->Reading());
  records->close();
  form->close();
  form.reset();  // workers are cancelled and waited for; their results are never delivered
  QCoreApplication::processEvents();
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(RecordsWindowTest, DesignSpectrumListFollowsTheMainWindow) {
  Create("A");
  Create("B");
  ASSERT_EQ(records->cbbDesign->count(), 2);
  records->cbbDesign->setCurrentIndex(1);
  form->lst1->setCurrentRow(0);
  form->Button4->click();  // deletes A
  ASSERT_EQ(records->cbbDesign->count(), 1);
  EXPECT_EQ(records->cbbDesign->currentText(), "B");
}

TEST_F(RecordsWindowTest, CheckAgainstASpectrumOfTheMainWindow) {
  form->cbb2->setCurrentIndex(3);  // 8 (0.20 g)
  form->cbb2Change();
  Add({ElCentro(), WriteRecord("b.txt", 2000, 0.2, 0.4), WriteRecord("c.txt", 2500, 0.1, 1.0)});
  records->cbbIntensity->setCurrentIndex(3);
  records->cbbTargetChange();
  EXPECT_EQ(records->edtTargetPga->text(), "70");
  CheckAgainst("Design <b>", "1.2, 0.4");
  ASSERT_TRUE(WaitForSpectra());
  ASSERT_TRUE(records->Check().has_value());

  // The same check made directly from the records library.
  std::vector<CheckRecord> set;
  for (const RecordEntry& entry : records->Records()) {
    EXPECT_NEAR(entry.scaleFactor, ScaleFactor(*entry.motion, 70), 1e-15);
    set.push_back(
        MakeCheckRecord(*entry.motion, ScaleFactor(*entry.motion, 70), true, {1.2, 0.4}, 0.05));
  }
  const CheckResult expected =
      CheckCompatibility(set, form->Spectra().At(0), {{1.2, 0.4}, 0.2, {}});
  const CheckResult& shown = *records->Check();
  ASSERT_EQ(shown.periods.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_DOUBLE_EQ(shown.periods[i].mean, expected.periods[i].mean);
    EXPECT_EQ(shown.periods[i].passes, expected.periods[i].passes);
  }
  EXPECT_EQ(shown.passes, expected.passes);

  const CheckTable& table = *records->grdCheck;
  ASSERT_EQ(table.rowCount(), 6);
  EXPECT_EQ(table.verticalHeaderItem(0)->text(), "T1 (fundamental)");
  EXPECT_EQ(ItemText(table, 4, CheckTable::FirstRecord),
            QString::fromStdString(
                FormatPattern(NumberPattern::SixDecimals, records->Records()[0].scaleFactor, ".")));
  EXPECT_EQ(ItemText(table, 5, CheckTable::Result), "Pass") << "three records make a set";
  ASSERT_EQ(table.columnCount(), CheckTable::FirstRecord + 3);
  EXPECT_EQ(table.horizontalHeaderItem(CheckTable::FirstRecord)->text(), "elCentro.AT2");
  EXPECT_EQ(ItemText(table, 0, CheckTable::Period), "1.2");
  EXPECT_EQ(ItemText(table, 0, CheckTable::Result), expected.periods[0].passes ? "Pass" : "Fail");
  EXPECT_EQ(ItemText(table, 2, CheckTable::Design), "≥ 6.00");
  EXPECT_EQ(ItemText(table, 3, CheckTable::Deviation), "3 of 3 real");
  // The design spectrum, its band and the mean come first; the name is plain text.
  EXPECT_EQ(SeriesTitles(*records->chtRecords),
            (std::vector<std::string>{"Design <b>", "+20 %", "-20 %", "Mean", "elCentro.AT2",
                                      "b.txt", "c.txt"}));

  // Two of three real is enough; one of three is not.
  const RecordTable& list = *records->grdRecords;
  records->grdRecords->SetReal(list.IdAt(2), false);
  EXPECT_FALSE(records->Check()->tooFewReal);
  records->grdRecords->SetReal(list.IdAt(1), false);
  EXPECT_TRUE(records->Check()->tooFewReal);
  EXPECT_EQ(ItemText(table, 3, CheckTable::Result), "Fail");
  EXPECT_EQ(ItemText(table, 3, CheckTable::FirstRecord + 1), "Artificial");
}

TEST_F(RecordsWindowTest, NewDampingRecomputesTheSpectra) {
  Add({WriteRecord("a.txt", 800)});
  ASSERT_TRUE(WaitForSpectra());
  records->edtDamping->setText("0.1");
  CheckAgainst("S", "0.5");
  EXPECT_TRUE(records->Computing());
  ASSERT_TRUE(WaitForSpectra());
  EXPECT_EQ(records->Records()[0].spectrum->damping, 0.1);
  EXPECT_TRUE(records->Check().has_value());
}

TEST_F(RecordsWindowTest, DeletingTheCheckedDesignSpectrumClearsTheCheck) {
  Add({WriteRecord("a.txt", 800)});
  CheckAgainst("S", "0.5");
  ASSERT_TRUE(WaitForSpectra());
  ASSERT_TRUE(records->Check().has_value());
  form->Button5->click();  // Delete All
  EXPECT_FALSE(records->Check().has_value());
  EXPECT_EQ(records->grdCheck->rowCount(), 0);
  EXPECT_EQ(records->lblVerdict->text(),
            "The design spectrum \"S\" has been deleted: pick another one and press Check.");
  EXPECT_EQ(SeriesTitles(*records->chtRecords), (std::vector<std::string>{"Mean", "a.txt"}));
}

// The window's verdict comes from the same check as the command line's: T1 the longest period,
// a single record no set.
TEST_F(RecordsWindowTest, VerdictNamesT1AndTheSetSize) {
  Add({WriteRecord("a.txt", 800)});
  CheckAgainst("S", "0.5, 0.2");
  ASSERT_TRUE(WaitForSpectra());
  const std::string verdict = records->lblVerdict->text().toStdString();
  EXPECT_TRUE(verdict.starts_with("Fail: ")) << verdict;
  EXPECT_NE(verdict.find("fewer than 3 records"), std::string::npos) << verdict;
  EXPECT_NE(verdict.find("T1 = 0.5 s"), std::string::npos) << verdict;
}

}  // namespace

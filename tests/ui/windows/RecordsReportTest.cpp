// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <cmath>

#include "model/NumberText.h"
#include "tests/ui/windows/RecordsWindowFixture.h"
#include "ui/widgets/RecordTable.h"
#include "ui/windows/RecordReportRow.h"

namespace {

QString RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
  EXPECT_EQ(process.exitCode(), 0) << program.toStdString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

QString Six(double value) {
  return QString::fromStdString(FormatPattern(NumberPattern::SixDecimals, value, "."));
}
QString Two(double value) {
  return QString::fromStdString(FormatPattern(NumberPattern::TwoDecimals, value, "."));
}

class RecordsReportTest : public RecordsWindowTest {
 protected:
  // A PEER record whose second line names the event, date, station and component.
  QString WriteAt2(const QString& name, const QByteArray& description, int points) {
    QByteArray bytes =
        "PEER NGA STRONG MOTION DATABASE RECORD\r\r\n" + description +
        "\r\r\nACCELERATION TIME SERIES IN UNITS OF G\r\r\nNPTS= " + QByteArray::number(points) +
        ", DT= .0100 SEC\r\r\n";
    for (int i = 0; i < points; ++i) {
      bytes +=
          QByteArray::number(0.2 * std::exp(-0.1 * i * 0.01) * std::sin(i * 0.01 * 9.0), 'g', 12) +
          "\r\r\n";
    }
    return WriteFile(name, bytes);
  }

  // Seven records, the last two artificial, checked at 1.2 s and 0.4 s.
  void CheckSevenRecords() {
    QStringList paths;
    for (int i = 0; i < 6; ++i) {
      paths << WriteRecord(QStringLiteral("rec%1.txt").arg(i), 1500 + 100 * i, 0.1, 0.2 + 0.15 * i);
    }
    paths << WriteAt2("kobe.AT2", "Kobe, 1/16/1995, KJMA, 000", 2000);
    Add(paths);
    ASSERT_EQ(records->grdRecords->rowCount(), 7);
    records->grdRecords->SetReal(records->grdRecords->IdAt(5), false);
    records->grdRecords->SetReal(records->grdRecords->IdAt(6), false);
    CheckAgainst("S", "1.2, 0.4");
    ASSERT_TRUE(WaitForSpectra());
    ASSERT_TRUE(records->Check().has_value());
  }
};

TEST_F(RecordsReportTest, TheReportIsOnePageWhoseTextHoldsEveryFigureOfTheCheck) {
  CheckSevenRecords();
  records->rowReport->edtProject->setText("Bridge <b>7</b>");
  records->rowReport->edtEngineer->setText("A. Engineer");
  const QString path = folder.filePath("report.pdf");
  desktop.QueueSaveAnswer(path);
  records->rowReport->btnSaveReport->click();
  ASSERT_EQ(desktop.saveDialogs().size(), 1u);
  EXPECT_EQ(desktop.saveDialogs()[0].defaultSuffix, "pdf");
  EXPECT_EQ(desktop.messages(), std::vector<RecordedMessage>{InformationMessage("Report saved.")});

  EXPECT_TRUE(RunTool("pdfinfo", {path}).contains(QRegularExpression("Pages:\\s+1\\n")));
  EXPECT_TRUE(RunTool("pdfinfo", {path}).contains(QRegularExpression("Page size:\\s+595")));
  const QStringList fonts = RunTool("pdffonts", {path}).split('\n', Qt::SkipEmptyParts).mid(2);
  ASSERT_FALSE(fonts.isEmpty());
  for (const QString& font : fonts) EXPECT_TRUE(font.contains(" yes ")) << font.toStdString();

  // To look at the page by eye: TREMVALE_KEEP_REPORT=<pdf path>, then pdftoppm -png.
  if (qEnvironmentVariableIsSet("TREMVALE_KEEP_REPORT"))
    QFile::copy(path, qEnvironmentVariable("TREMVALE_KEEP_REPORT"));
  const QString text = RunTool("pdftotext", {"-layout", path, "-"});
  const CheckResult& check = *records->Check();
  ASSERT_EQ(check.records.size(), 7u);
  for (const RecordCheck& record : check.records) {
    EXPECT_TRUE(text.contains(QString::fromStdString(record.name))) << record.name;
    EXPECT_TRUE(text.contains(Six(record.scaleFactor))) << record.name;
    EXPECT_TRUE(text.contains(Two(record.effectiveDuration))) << record.name;
  }
  for (const PeriodCheck& period : check.periods) {
    for (const QString& figure :
         {Six(period.mean), Six(period.design), Two(period.deviationPercent)}) {
      EXPECT_TRUE(text.contains(figure)) << figure.toStdString();
    }
  }
  for (const char* words : {"Bridge <b>7</b>", "A. Engineer", "Kobe, 1/16/1995", "KJMA",
                            "5 real and 2 artificial", "Artificial", "GB 50011-2010"}) {
    EXPECT_TRUE(text.contains(QString::fromUtf8(words))) << words;
  }
  EXPECT_TRUE(text.contains(check.passes ? "PASS" : "FAIL"));
  // The names are kept for the next session.
  const RecordReportRow next(nullptr);
  EXPECT_EQ(next.edtProject->text(), "Bridge <b>7</b>");
  EXPECT_EQ(next.edtEngineer->text(), "A. Engineer");
}

TEST_F(RecordsReportTest, TheReportChecksTheTypedSettingsFirst) {
  CheckSevenRecords();
  records->edtTolerance->setText("0");  // refused: no report with settings the check refuses
  records->rowReport->btnSaveReport->click();
  EXPECT_TRUE(desktop.saveDialogs().empty());
  ASSERT_EQ(desktop.messages().size(), 1u);
  EXPECT_EQ(desktop.messages()[0].kind, MessageKind::Warning);

  desktop.Clear();
  records->edtTolerance->setText("20");
  records->edtPeriods->setText("0.8");  // typed, not yet checked: the report checks it
  records->rowReport->btnSaveReport->click();
  EXPECT_EQ(records->Inputs().periods, std::vector<double>{0.8});
  EXPECT_EQ(desktop.messages(),
            std::vector<RecordedMessage>{InformationMessage(
                "The spectra are still being computed; save the report when they are ready.")});
  ASSERT_TRUE(WaitForSpectra());
  desktop.QueueSaveAnswer(folder.filePath("r.pdf"));
  records->rowReport->btnSaveReport->click();
  ASSERT_TRUE(records->Check().has_value());
  ASSERT_EQ(records->Check()->periods.size(), 1u);
  EXPECT_TRUE(RunTool("pdftotext", {folder.filePath("r.pdf"), "-"})
                  .contains(Six(records->Check()->periods[0].mean)));
}

}  // namespace

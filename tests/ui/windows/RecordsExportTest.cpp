// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "tests/support/BitmapHeader.h"
#include "tests/support/FileBytes.h"
#include "tests/ui/windows/RecordsWindowFixture.h"
#include "ui/widgets/RecordChart.h"

namespace {

QList<QByteArray> Lines(const QByteArray& bytes) {
  QList<QByteArray> lines = bytes.split('\n');
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
  return lines;
}

TEST_F(RecordsWindowTest, SaveDataWritesRecordsCheckAndSpectra) {
  Add({WriteRecord("a,\"b\".txt", 600), WriteRecord("c.txt", 700)});
  CheckAgainst("S", "1.2, 0.4");
  ASSERT_TRUE(WaitForSpectra());
  const QString path = folder.filePath("records.csv");
  desktop.QueueSaveAnswer(path);
  records->btnSaveData->click();
  ASSERT_EQ(desktop.saveDialogs().size(), 1u);
  EXPECT_EQ(desktop.saveDialogs()[0].defaultSuffix, "csv");
  EXPECT_EQ(desktop.messages(),
            std::vector<RecordedMessage>{InformationMessage("Export Completed")});

  const QList<QByteArray> lines = Lines(ReadAll(path));
  for (const QByteArray& line : lines) ASSERT_TRUE(line.endsWith('\r')) << line.toStdString();
  ASSERT_GE(lines.size(), 20);
  EXPECT_EQ(lines[0].toStdString(),
            "Record,Points,Step(s),Duration(s),PGA(g),ScaleFactor,Kind,"
            "EffectiveDuration(s),Event,Date,Station,Component\r");
  const QString fullPath = QString(folder.filePath("a,\"b\".txt")).replace('"', "\"\"");
  EXPECT_TRUE(lines[1].startsWith(("\"" + fullPath + "\",600,0.01,5.99,").toUtf8()))
      << lines[1].toStdString();
  EXPECT_EQ(lines[4].toStdString(), "DampingRatio,0.05\r");
  EXPECT_EQ(lines[5].toStdString(), "TargetPGA(cm/s2),18\r");
  EXPECT_EQ(lines[7].toStdString(), "S,GB 50011-2010,0.04,0.2,0.05\r");
  EXPECT_EQ(lines[9].toStdString(), "20,1.2,6,0.25,4\r") << "T1 and 5 T1 in the settings";
  EXPECT_EQ(lines[11].toStdString(),
            "Period(s),Mean(g),Design(g),Deviation(%),Result,\"a,\"\"b\"\".txt PSA(g)\",c.txt "
            "PSA(g)\r")
      << "the check table of the command line";
  // 601 spectrum lines close the file, one per period of the fine grid.
  EXPECT_TRUE(lines.back().startsWith("6.00,")) << lines.back().toStdString();
  EXPECT_EQ(lines[lines.size() - 602].toStdString(),
            ("Period(s),\"" + fullPath + "\"," + folder.filePath("c.txt") + ",Mean,S,Lower,Upper\r")
                .toStdString());
}

TEST_F(RecordsWindowTest, SaveDataNeedsRecordsWithTheirSpectra) {
  records->btnSaveData->click();
  records->AddFiles({WriteRecord("a.txt", 20000)});
  records->btnSaveData->click();
  EXPECT_EQ(desktop.messages(),
            (std::vector<RecordedMessage>{
                InformationMessage("No ground motion record has been added."),
                InformationMessage(
                    "The spectra are still being computed; save them when they are ready.")}));
  EXPECT_TRUE(desktop.saveDialogs().empty());
}

TEST_F(RecordsWindowTest, SavePictureWritesTheChartAsABitmap) {
  Add({WriteRecord("a.txt", 600)});
  ASSERT_TRUE(WaitForSpectra());
  const QString path = folder.filePath("chart.png");  // the extension does not decide the format
  desktop.QueueSaveAnswer(path);
  records->btnSavePicture->click();
  ASSERT_EQ(desktop.saveDialogs().size(), 1u);
  EXPECT_FALSE(desktop.saveDialogs()[0].confirmOverwrite);
  const std::optional<BitmapHeader> header = ReadBitmapHeader(ReadAll(path));
  ASSERT_TRUE(header.has_value());
  EXPECT_EQ(header->magic, "BM");
  EXPECT_EQ(header->width, records->chtRecords->width());
  EXPECT_EQ(header->height, records->chtRecords->height());
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(RecordsWindowTest, AFailedSaveShowsTheReasonAndKeepsTheOldFile) {
  Add({WriteRecord("a.txt", 600)});
  ASSERT_TRUE(WaitForSpectra());
  desktop.QueueSaveAnswer(folder.filePath("missing/records.csv"));
  records->btnSaveData->click();
  ASSERT_EQ(desktop.messages().size(), 1u);
  EXPECT_EQ(desktop.messages()[0].kind, MessageKind::Error);
  EXPECT_TRUE(desktop.messages()[0].text.startsWith("Cannot create file"));
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "records/RecordFileReader.h"
#include "tests/ui/windows/RecordsWindowFixture.h"
#include "ui/widgets/RecordTable.h"

namespace {

QString SpectrumState(const RecordTable& table, int row) {
  const QTableWidgetItem* item = table.item(row, RecordTable::Spectrum);
  return item != nullptr ? item->text() : QString();
}

TEST_F(RecordsWindowTest, ThousandsOfBadFilesInOneAddGiveOneMessage) {
  // Hard links to one file: six thousand names without six thousand files to write.
  QStringList paths{WriteFile(QStringLiteral("junk0.txt"), "not a record\n")};
  for (int i = 1; i < 6000; ++i) {
    paths << folder.filePath(QStringLiteral("junk%1.txt").arg(i));
    ASSERT_EQ(
        link(QFile::encodeName(paths[0]).constData(), QFile::encodeName(paths.back()).constData()),
        0);
  }
  Add(paths);
  EXPECT_EQ(records->grdRecords->rowCount(), 0);
  ASSERT_EQ(desktop.messages().size(), 1u);
  const QStringList lines = desktop.messages()[0].text.split('\n');
  EXPECT_EQ(lines[0], "6000 files could not be added:");
  EXPECT_EQ(lines.size(), 6002);
  EXPECT_TRUE(lines[2].startsWith("junk0.txt")) << lines[2].toStdString();
}

TEST_F(RecordsWindowTest, OnlyRegularFilesOfBoundedSizeAreOpened) {
  // A pipe would block the reader until a writer comes, and /dev/zero never ends.
  const QString pipe = folder.filePath("pipe.AT2");
  ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  const QString huge = WriteFile("huge.txt", "0 0.1\n");
  ASSERT_TRUE(QFile(huge).resize(kMostRecordFileBytes + 1));  // sparse: costs no disk
  Add({pipe, QStringLiteral("/dev/zero"), huge, WriteRecord("good.txt", 300)});
  ASSERT_EQ(records->grdRecords->rowCount(), 1);
  const std::vector<QString> warnings = desktop.Texts(MessageKind::Warning);
  ASSERT_EQ(warnings.size(), 1u);
  const QStringList lines = warnings[0].split('\n');
  ASSERT_EQ(lines.size(), 5);
  EXPECT_EQ(lines[0], "3 files could not be added:");
  EXPECT_TRUE(lines[2].startsWith("pipe.AT2: not a regular file")) << lines[2].toStdString();
  EXPECT_TRUE(lines[3].startsWith("zero: not a regular file")) << lines[3].toStdString();
  EXPECT_TRUE(lines[4].startsWith("huge.txt: the file is larger than 256 MiB"))
      << lines[4].toStdString();
}

TEST_F(RecordsWindowTest, FilesBeingReadAreListedAndRemoveOrCloseStopsThem) {
  records->QueueFiles(
      {WriteRecord("a.txt", 30000), WriteRecord("b.txt", 30000), WriteRecord("c.txt", 30000)});
  const RecordTable& table = *records->grdRecords;
  ASSERT_EQ(table.rowCount(), 3);
  EXPECT_EQ(SpectrumState(table, 0), "Reading...");
  EXPECT_EQ(records->lblStatus->text(), "Reading files: 3 left.");
  records->grdRecords->selectRow(0);
  records->btnRemove->click();
  EXPECT_EQ(records->lblStatus->text(), "Reading files: 2 left.");
  ASSERT_TRUE(WaitForSpectra());
  ASSERT_EQ(table.rowCount(), 2);
  EXPECT_EQ(records->Records()[0].motion->name, "b.txt");
  EXPECT_EQ(records->lblStatus->text(), "The spectra of the 2 records are ready.");

  records->QueueFiles({WriteRecord("d.txt", 30000)});
  records->close();
  EXPECT_FALSE(records->Reading());
  QCoreApplication::processEvents();
  EXPECT_EQ(table.rowCount(), 2);
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(RecordsWindowTest, AMessageWaitsUntilAnotherBoxIsClosed) {
  QDialog box(records);
  box.setModal(true);
  box.show();
  ASSERT_EQ(QApplication::activeModalWidget(), &box);
  Add({WriteFile("bad.txt", "x\n")});
  EXPECT_TRUE(desktop.messages().empty());
  box.close();
  EXPECT_TRUE(QTest::qWaitFor([this] { return !desktop.messages().empty(); }, 10000));
  EXPECT_EQ(desktop.messages().size(), 1u);
}

}  // namespace

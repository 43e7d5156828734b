#include "ui/files/FileWriter.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <stdexcept>

#include "tests/support/FileBytes.h"
#include "tests/support/QtPrinters.h"

namespace {

void Put(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

// The message of the error that `write` throws, or "" if it throws none.
template <typename Write>
QString ErrorOf(Write write) {
  try {
    write();
  } catch (const std::runtime_error& error) {
    return QString::fromUtf8(error.what());
  }
  return {};
}

class FileWriterTest : public ::testing::Test {
 protected:
  QString PathOf(const QString& name) const { return folder.filePath(name); }
  QStringList Entries() const {
    return QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  }

  QTemporaryDir folder;
  // CR LF line ends, a non-ASCII byte and no byte-order mark must reach the file as they are.
  const QByteArray content = QByteArray("Period(s),Sa(g),\r\n0.00,1.8000E-02,\r\n\xB5\r\n");
  const QByteArray old = QByteArray(5000, 'x');
};

TEST_F(FileWriterTest, WritesExactBytesOverLongerFile) {
  Put(PathOf("Spectrum.csv"), old);
  WriteWholeFile(PathOf("Spectrum.csv"), content);
  EXPECT_EQ(ReadAll(PathOf("Spectrum.csv")), content);
  EXPECT_EQ(Entries(), QStringList{"Spectrum.csv"});
}

TEST_F(FileWriterTest, MissingFolderGivesCreateErrorWithFullPath) {
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(folder.path()));
  const QString message = ErrorOf([&] { WriteWholeFile("missing/x.csv", content); });
  QDir::setCurrent(previous);
  const QString start = QStringLiteral("Cannot create file \"%1\". ").arg(PathOf("missing/x.csv"));
  ASSERT_TRUE(message.startsWith(start)) << message.toStdString();
  const QString reason = message.mid(start.size());
  EXPECT_FALSE(reason.isEmpty());
  EXPECT_FALSE(reason.endsWith(u'.') || reason.endsWith(u' ') || reason.endsWith(u'\n'));
  EXPECT_TRUE(Entries().isEmpty());
}

TEST_F(FileWriterTest, UnwritableFolderGivesCreateErrorAndKeepsFile) {
  QString path;
  if (getuid() == 0) {
    // Permissions do not stop root; a regular file used as a folder stops everyone.
    Put(PathOf("plain"), old);
    path = PathOf("plain/x.csv");
  } else {
    ASSERT_TRUE(QDir(folder.path()).mkdir("locked"));
    path = PathOf("locked/x.csv");
    Put(path, old);
    ASSERT_TRUE(QFile::setPermissions(PathOf("locked"), QFile::ReadOwner | QFile::ExeOwner));
  }
  const QString message = ErrorOf([&] { WriteWholeFile(path, content); });
  QFile::setPermissions(PathOf("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(path)))
      << message.toStdString();
  EXPECT_EQ(ReadAll(getuid() == 0 ? PathOf("plain") : path), old);
}

// A save file whose device fails half-way through the write.
class FailingSaveFile : public QSaveFile {
 public:
  FailingSaveFile(const QString& path, bool reportsError)
      : QSaveFile(path), reportsError_(reportsError) {}

 protected:
  qint64 writeData(const char* data, qint64 length) override {
    QSaveFile::writeData(data, length / 2);
    return reportsError_ ? -1 : length / 2;
  }

 private:
  bool reportsError_;
};

class FileWriteFailure : public FileWriterTest, public ::testing::WithParamInterface<bool> {};

TEST_P(FileWriteFailure, LeavesExistingFileByteIdentical) {
  Put(PathOf("Spectrum.csv"), old);
  FailingSaveFile file(PathOf("Spectrum.csv"), GetParam());
  EXPECT_EQ(ErrorOf([&] { WriteWholeFile(file, content); }), QStringLiteral("Stream write error"));
  EXPECT_EQ(ReadAll(PathOf("Spectrum.csv")), old);
  EXPECT_EQ(Entries(), QStringList{"Spectrum.csv"});  // no temporary file left behind
}

// A short count without an error is what a full disk gives.
INSTANTIATE_TEST_SUITE_P(Writes, FileWriteFailure, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Error" : "ShortCount"; });

// A save file whose target turns into a folder while it is written: the final rename fails.
class BlockedSaveFile : public QSaveFile {
 public:
  using QSaveFile::QSaveFile;

 protected:
  qint64 writeData(const char* data, qint64 length) override {
    QDir().mkpath(fileName() + "/blocker");
    return QSaveFile::writeData(data, length);
  }
};

TEST_F(FileWriterTest, FailedReplaceIsWriteError) {
  BlockedSaveFile file(PathOf("Spectrum.csv"));
  EXPECT_EQ(ErrorOf([&] { WriteWholeFile(file, content); }), QStringLiteral("Stream write error"));
  EXPECT_EQ(Entries(), QStringList{"Spectrum.csv"});
}

TEST(CreateFileErrorText, DropsTrailingStopsSpacesAndLineBreaksOnly) {
  EXPECT_EQ(CreateFileErrorText("/data/v1.2", "Access is denied. \r\n"),
            QStringLiteral("Cannot create file \"/data/v1.2\". Access is denied"));
}

}  // namespace

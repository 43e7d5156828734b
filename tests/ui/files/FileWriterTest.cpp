// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/files/FileWriter.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cerrno>
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

TEST_F(FileWriterTest, PathThroughAPlainFileGivesCreateErrorAndKeepsIt) {
  Put(PathOf("plain"), old);
  const QString path = PathOf("plain/x.csv");
  const QString message = ErrorOf([&] { WriteWholeFile(path, content); });
  EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(path)))
      << message.toStdString();
  EXPECT_EQ(ReadAll(PathOf("plain")), old);
}

// Root writes into any folder: while one of these lives, file access runs as an ordinary user.
class OrdinaryUser {
 public:
  OrdinaryUser() : switched_(geteuid() == 0 && seteuid(kNobody) == 0) {}
  ~OrdinaryUser() {
    if (switched_) {
      EXPECT_EQ(seteuid(0), 0);
    }
  }
  bool Ordinary() const { return geteuid() != 0; }

 private:
  static constexpr uid_t kNobody = 65534;
  bool switched_;
};

TEST_F(FileWriterTest, ReadOnlyFolderTakesNoNewFileButItsWritableFileIsWrittenInPlace) {
  ASSERT_TRUE(QDir(folder.path()).mkdir("locked"));
  const QString existing = PathOf("locked/Spectrum.csv");
  Put(existing, old);
  const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup |
                   QFile::ReadOther | QFile::WriteOther;
  const auto readOnlyFolder = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                              QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
  ASSERT_TRUE(QFile::setPermissions(existing, all));
  ASSERT_TRUE(QFile::setPermissions(PathOf("locked"), readOnlyFolder));
  ASSERT_TRUE(QFile::setPermissions(folder.path(), readOnlyFolder | QFile::WriteOwner));
  QString message;
  {
    OrdinaryUser user;
    if (!user.Ordinary()) GTEST_SKIP() << "cannot leave the root user";
    WriteWholeFile(existing, content);
    message = ErrorOf([&] { WriteWholeFile(PathOf("locked/new.csv"), content); });
  }
  QFile::setPermissions(PathOf("locked"), readOnlyFolder | QFile::WriteOwner);
  EXPECT_EQ(ReadAll(existing), content);
  EXPECT_EQ(message, CreateFileErrorText(PathOf("locked/new.csv"), qt_error_string(EACCES)));
  EXPECT_FALSE(QFile::exists(PathOf("locked/new.csv")));
}

struct LongNameCase {
  int bytes;      // of the file name
  bool existing;  // a file of that name is there already
  bool saved;     // else refused as a file that cannot be created
};

void PrintTo(const LongNameCase& c, std::ostream* out) {
  *out << c.bytes << (c.existing ? " bytes, replaced" : " bytes, new");
}

class LongFileName : public FileWriterTest, public ::testing::WithParamInterface<LongNameCase> {};

// A replaced file goes through a temporary name 7 bytes longer than its own; names are at most
// 255 bytes.
TEST_P(LongFileName, IsSavedOrRefusedAsTooLongBeforeAnythingIsWritten) {
  const LongNameCase& c = GetParam();
  const QString path = PathOf(QString(c.bytes - 4, u'n') + QStringLiteral(".csv"));
  if (c.existing) Put(path, old);
  const QString message = ErrorOf([&] { WriteWholeFile(path, content); });
  if (c.saved) {
    EXPECT_EQ(message, QString());
    EXPECT_EQ(ReadAll(path), content);
  } else {
    EXPECT_EQ(message, CreateFileErrorText(path, qt_error_string(ENAMETOOLONG)));
    EXPECT_TRUE(message.endsWith(QStringLiteral("File name too long"))) << message.toStdString();
    EXPECT_EQ(ReadAll(path), c.existing ? old : QByteArray());
  }
  EXPECT_EQ(Entries().size(), c.existing || c.saved ? 1 : 0) << "no temporary file left behind";
}

INSTANTIATE_TEST_SUITE_P(Names, LongFileName,
                         ::testing::Values(LongNameCase{248, true, true},
                                           LongNameCase{249, true, false},
                                           LongNameCase{255, true, false},
                                           LongNameCase{255, false, true},
                                           LongNameCase{256, false, false}));

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

// A device that stops taking bytes without saying why, and one that fails with an error.
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

TEST_F(FileWriterTest, FailedReplaceIsWriteErrorWithTheSystemsReason) {
  BlockedSaveFile file(PathOf("Spectrum.csv"));
  EXPECT_EQ(ErrorOf([&] { WriteWholeFile(file, content); }),
            WriteErrorText(qt_error_string(EISDIR)));
  EXPECT_EQ(Entries(), QStringList{"Spectrum.csv"});
}

TEST(CreateFileErrorText, DropsTrailingStopsSpacesAndLineBreaksOnly) {
  EXPECT_EQ(CreateFileErrorText("/data/v1.2", "Access is denied. \r\n"),
            QStringLiteral("Cannot create file \"/data/v1.2\". Access is denied"));
}

TEST(WriteErrorText, AddsTheSystemsReasonWhenThereIsOne) {
  EXPECT_EQ(WriteErrorText("No space left on device.\n"),
            QStringLiteral("Stream write error. No space left on device"));
  EXPECT_EQ(WriteErrorText(""), QStringLiteral("Stream write error"));
}

}  // namespace

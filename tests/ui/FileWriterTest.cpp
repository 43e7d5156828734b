#include "FileWriter.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <stdexcept>

#include "QtPrinters.h"

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

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
  void SetUp() override { ASSERT_TRUE(folder.isValid()); }
  QString PathOf(const QString& name) const { return folder.filePath(name); }
  QStringList Entries() const {
    return QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  }

  QTemporaryDir folder;
  // CR LF line ends, a non-ASCII byte and no byte-order mark must reach the file as they are.
  const QByteArray content = QByteArray("Period(s),Sa(g),\r\n0.00,1.8000E-02,\r\n\xB5\r\n");
};

TEST_F(FileWriterTest, WritesExactBytes) {
  WriteWholeFile(PathOf("Spectrum.csv"), content);
  EXPECT_EQ(ReadAll(PathOf("Spectrum.csv")), content);
  EXPECT_EQ(Entries(), QStringList{"Spectrum.csv"});
}

TEST_F(FileWriterTest, ReplacesLongerExistingFile) {
  Put(PathOf("Spectrum.csv"), QByteArray(5000, 'x'));
  WriteWholeFile(PathOf("Spectrum.csv"), content);
  EXPECT_EQ(ReadAll(PathOf("Spectrum.csv")), content);
}

TEST_F(FileWriterTest, MissingFolderGivesCreateErrorWithFullPath) {
  const QString path = PathOf("missing/Spectrum.csv");
  const QString message = ErrorOf([&] { WriteWholeFile(path, content); });
  const QString start = QStringLiteral("Cannot create file \"%1\". ").arg(path);
  ASSERT_TRUE(message.startsWith(start)) << message.toStdString();
  const QString reason = message.mid(start.size());
  EXPECT_FALSE(reason.isEmpty());
  EXPECT_FALSE(reason.endsWith(u'.') || reason.endsWith(u' ') || reason.endsWith(u'\n'));
  EXPECT_TRUE(Entries().isEmpty());
}

TEST_F(FileWriterTest, RelativePathIsShownInFull) {
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(folder.path()));
  const QString message = ErrorOf([&] { WriteWholeFile("missing/x.csv", content); });
  QDir::setCurrent(previous);
  EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot create file \"%1\". ")
                                     .arg(QDir(folder.path()).filePath("missing/x.csv"))))
      << message.toStdString();
}

TEST_F(FileWriterTest, UnwritableFolderGivesCreateErrorAndKeepsFile) {
  QString path;
  if (getuid() == 0) {
    // Permissions do not stop root; a regular file used as a folder stops everyone.
    Put(PathOf("plain"), "x");
    path = PathOf("plain/sub/x.csv");
  } else {
    ASSERT_TRUE(QDir(folder.path()).mkdir("locked"));
    path = PathOf("locked/x.csv");
    Put(path, content);
    ASSERT_TRUE(QFile::setPermissions(PathOf("locked"), QFile::ReadOwner | QFile::ExeOwner));
  }
  const QString message = ErrorOf([&] { WriteWholeFile(path, "new"); });
  QFile::setPermissions(PathOf("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(path)))
      << message.toStdString();
  if (getuid() != 0) {
    EXPECT_EQ(ReadAll(path), content);
  }
}

// A save file whose device fails part-way through the write.
class FailingSaveFile : public QSaveFile {
 public:
  FailingSaveFile(const QString& path, bool reportsError)
      : QSaveFile(path), reportsError_(reportsError) {}

 protected:
  qint64 writeData(const char* data, qint64 length) override {
    // Half the data reaches the temporary file before the failure.
    QSaveFile::writeData(data, length / 2);
    return reportsError_ ? -1 : length / 2;
  }

 private:
  bool reportsError_;
};

struct WriteFailure {
  const char* name;
  bool reportsError;  // the device's write returns -1 rather than a short count
};

void PrintTo(const WriteFailure& failure, std::ostream* out) { *out << failure.name; }

class FileWriteFailure : public FileWriterTest,
                         public ::testing::WithParamInterface<WriteFailure> {};

TEST_P(FileWriteFailure, LeavesExistingFileByteIdentical) {
  const QByteArray old = "ResponseName,DesignCode\r\nold content\r\n";
  Put(PathOf("Spectrum.csv"), old);
  FailingSaveFile file(PathOf("Spectrum.csv"), GetParam().reportsError);
  EXPECT_EQ(ErrorOf([&] { WriteWholeFile(file, content); }), QStringLiteral("Stream write error"));
  EXPECT_EQ(ReadAll(PathOf("Spectrum.csv")), old);
  EXPECT_EQ(Entries(), QStringList{"Spectrum.csv"});  // no temporary file left behind
}

TEST_P(FileWriteFailure, CreatesNoNewFile) {
  FailingSaveFile file(PathOf("Spectrum.csv"), GetParam().reportsError);
  EXPECT_EQ(ErrorOf([&] { WriteWholeFile(file, content); }), QStringLiteral("Stream write error"));
  EXPECT_TRUE(Entries().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Writes, FileWriteFailure,
                         ::testing::Values(WriteFailure{"ShortCount", false},
                                           WriteFailure{"Error", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A save file whose target turns into a folder while it is written, so that the final
// rename fails.
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
  EXPECT_TRUE(QFileInfo(PathOf("Spectrum.csv")).isDir());
}

struct CreateTextCase {
  const char* system;
  const char* reason;
};

void PrintTo(const CreateTextCase& c, std::ostream* out) { *out << '"' << c.system << '"'; }

class CreateErrorText : public ::testing::TestWithParam<CreateTextCase> {};

TEST_P(CreateErrorText, DropsTrailingStopsSpacesAndLineBreaks) {
  EXPECT_EQ(CreateFileErrorText("/data/out.csv", GetParam().system),
            QStringLiteral("Cannot create file \"/data/out.csv\". ") + GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(
    SystemTexts, CreateErrorText,
    ::testing::Values(CreateTextCase{"Permission denied", "Permission denied"},
                      CreateTextCase{"Access is denied.\r\n", "Access is denied"},
                      CreateTextCase{"No space left. . \n", "No space left"},
                      CreateTextCase{"v1.2 (x.y)", "v1.2 (x.y)"}, CreateTextCase{"", ""}));

}  // namespace

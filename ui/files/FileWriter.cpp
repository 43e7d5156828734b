#include "ui/files/FileWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <stdexcept>

namespace {

[[noreturn]] void ThrowWriteError() { throw std::runtime_error("Stream write error"); }

}  // namespace

QString CreateFileErrorText(const QString& path, const QString& systemText) {
  QString reason = systemText;
  while (!reason.isEmpty() && (reason.back() == u'.' || reason.back().isSpace())) reason.chop(1);
  const QString fullPath = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
  return QStringLiteral("Cannot create file \"%1\". %2").arg(fullPath, reason);
}

void WriteWholeFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  WriteWholeFile(file, bytes);
}

void WriteWholeFile(QSaveFile& file, const QByteArray& bytes) {
  if (!file.open(QIODevice::WriteOnly)) {
    throw std::runtime_error(
        CreateFileErrorText(file.fileName(), file.errorString()).toStdString());
  }
  // A full disk can give a short count without an error, and commit() would still succeed.
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    ThrowWriteError();
  }
  if (!file.commit()) ThrowWriteError();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/files/FileWriter.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <stdexcept>

namespace {

// QSaveFile replaces an existing file through a temporary name with this many bytes more
// (".XXXXXX" appended).
constexpr qsizetype kTemporarySuffixBytes = 7;

QString WithoutTrailingStops(QString text) {
  while (!text.isEmpty() && (text.back() == u'.' || text.back().isSpace())) text.chop(1);
  return text;
}

// Past the folder's limit a name fails only at the final rename, which would read as a write
// error; this finds it first. Nothing to say when the limit cannot be read.
bool NameTooLongForFolder(const QString& path) {
  const QFileInfo info(path);
  const long limit = pathconf(QFile::encodeName(info.absolutePath()).constData(), _PC_NAME_MAX);
  if (limit <= 0) return false;
  const qsizetype length = QFile::encodeName(info.fileName()).size();
  const bool replacedThroughTemporary =
      info.exists() && QFileInfo(info.absolutePath()).isWritable();
  return length > limit || (replacedThroughTemporary && length + kTemporarySuffixBytes > limit);
}

// The reason of the failure the save file has just seen, read before anything can reset it;
// nothing when the device reported no error.
QString FailureReason(const QSaveFile& file) {
  return file.error() == QFileDevice::NoError ? QString() : file.errorString();
}

[[noreturn]] void FailWriting(QSaveFile& file) {
  const QString reason = FailureReason(file);
  file.cancelWriting();
  throw std::runtime_error(WriteErrorText(reason).toStdString());
}

}  // namespace

QString CreateFileErrorText(const QString& path, const QString& systemText) {
  const QString fullPath = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
  return QStringLiteral("Cannot create file \"%1\". %2")
      .arg(fullPath, WithoutTrailingStops(systemText));
}

QString WriteErrorText(const QString& systemText) {
  const QString reason = WithoutTrailingStops(systemText);
  const QString message = QStringLiteral("Stream write error");
  return reason.isEmpty() ? message : message + QStringLiteral(". ") + reason;
}

void WriteWholeFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  WriteWholeFile(file, bytes);
}

void WriteWholeFile(QSaveFile& file, const QByteArray& bytes) {
  if (NameTooLongForFolder(file.fileName())) {
    throw std::runtime_error(
        CreateFileErrorText(file.fileName(), qt_error_string(ENAMETOOLONG)).toStdString());
  }
  // Takes effect only where the folder refuses the temporary file (EACCES).
  file.setDirectWriteFallback(true);
  // Unbuffered, so every write reaches the system here and its failure is seen here: a
  // buffered tail would fail only inside commit(), which in Qt 6.4 then still reports success.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    throw std::runtime_error(
        CreateFileErrorText(file.fileName(), file.errorString()).toStdString());
  }
  const char* data = bytes.constData();
  qint64 left = bytes.size();
  while (left > 0) {
    // A short count is what a nearly full disk gives; the next write brings its reason.
    const qint64 written = file.write(data, left);
    if (written <= 0) FailWriting(file);
    data += written;
    left -= written;
  }
  // Nothing is buffered, but a flush that fails must never reach commit().
  if (!file.flush()) FailWriting(file);
  if (!file.commit()) throw std::runtime_error(WriteErrorText(FailureReason(file)).toStdString());
}

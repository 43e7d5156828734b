// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/files/RecordFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>
#include <system_error>

#include "records/RecordError.h"
#include "records/RecordFileReader.h"

std::variant<GroundMotion, QString> LoadRecordFile(const QString& path,
                                                   const RecordReadOptions& options,
                                                   const std::atomic<bool>* cancelled) {
  const QFileInfo info(path);
  std::optional<GroundMotion> motion;
  try {
    motion = ReadRecordFile(QFile::encodeName(info.absoluteFilePath()).toStdString(),
                            info.fileName().toStdString(), options, cancelled);
  } catch (const RecordError& error) {
    return QString::fromUtf8(error.what());
  } catch (const std::system_error& error) {
    return QStringLiteral("Cannot read file \"%1\". %2")
        .arg(QDir::toNativeSeparators(info.absoluteFilePath()),
             QString::fromLocal8Bit(error.code().message()));
  }
  if (!motion) return QString();
  if (!(PeakAcceleration(*motion) > 0)) {
    return QStringLiteral("%1: every acceleration is zero, so the record cannot be scaled.")
        .arg(info.fileName());
  }
  return std::move(*motion);
}

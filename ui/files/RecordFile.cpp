#include "ui/files/RecordFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <string_view>

#include "records/RecordError.h"

std::variant<GroundMotion, QString> ReadRecordFile(const QString& path,
                                                   const RecordReadOptions& options) {
  const QFileInfo info(path);
  QFile file(info.absoluteFilePath());
  if (!file.open(QIODevice::ReadOnly)) {
    return QStringLiteral("Cannot read file \"%1\". %2")
        .arg(QDir::toNativeSeparators(info.absoluteFilePath()), file.errorString());
  }
  const QByteArray bytes = file.readAll();
  GroundMotion motion;
  try {
    motion = ReadRecord(info.fileName().toStdString(),
                        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                        options);
  } catch (const RecordError& error) {
    return QString::fromUtf8(error.what());
  }
  if (!(PeakAcceleration(motion) > 0)) {
    return QStringLiteral("%1: every acceleration is zero, so the record cannot be scaled.")
        .arg(info.fileName());
  }
  return motion;
}

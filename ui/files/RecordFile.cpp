#include "ui/files/RecordFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <string_view>

#include "records/RecordError.h"

namespace {

constexpr qint64 kBlockBytes = qint64{1} << 20;

QString Shown(const QFileInfo& info) { return QDir::toNativeSeparators(info.absoluteFilePath()); }

}  // namespace

std::variant<GroundMotion, QString> ReadRecordFile(const QString& path,
                                                   const RecordReadOptions& options,
                                                   const std::function<bool()>& cancelled) {
  const QFileInfo info(path);
  if (!info.exists())
    return QStringLiteral("Cannot read file \"%1\". No such file.").arg(Shown(info));
  if (!info.isFile()) {
    return QStringLiteral("Cannot read \"%1\": it is not a regular file.").arg(Shown(info));
  }
  const auto tooLarge = [&] {
    return QStringLiteral("Cannot read \"%1\": a record file may hold at most %2 MiB.")
        .arg(Shown(info))
        .arg(kMaxRecordFileBytes >> 20);
  };
  if (info.size() > kMaxRecordFileBytes) return tooLarge();
  QFile file(info.absoluteFilePath());
  if (!file.open(QIODevice::ReadOnly)) {
    return QStringLiteral("Cannot read file \"%1\". %2").arg(Shown(info), file.errorString());
  }
  // Read in blocks up to the limit: the file may grow while it is read.
  QByteArray bytes;
  bytes.reserve(static_cast<qsizetype>(info.size()));
  for (;;) {
    if (cancelled && cancelled()) return QString();
    const QByteArray block = file.read(kBlockBytes);
    if (block.isEmpty()) {
      if (file.error() != QFileDevice::NoError) {
        return QStringLiteral("Cannot read file \"%1\". %2").arg(Shown(info), file.errorString());
      }
      break;
    }
    if (bytes.size() + block.size() > kMaxRecordFileBytes) return tooLarge();
    bytes.append(block);
  }
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

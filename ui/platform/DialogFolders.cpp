#include "ui/platform/DialogFolders.h"

#include <QFileInfo>
#include <QSettings>
#include <memory>
#include <utility>

#include "ui/platform/Captions.h"

namespace {

const QString kGroup = QStringLiteral("DialogFolders");

std::unique_ptr<QSettings> OpenSettings(const QString& file) {
  if (file.isEmpty()) {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       caption::kProgram, caption::kProgram);
  }
  return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

// A kind may be any text; a key of letters and digits stays readable in the file and does not
// split into groups at a slash.
QString Key(const QString& kind) {
  QString key = kGroup + u'/';
  for (const QChar c : kind) key += c.isLetterOrNumber() && c.unicode() < 128 ? c : u'_';
  return key;
}

}  // namespace

DialogFolders::DialogFolders(QString settingsFile) : settingsFile_(std::move(settingsFile)) {}

QString DialogFolders::StartFolder(const QString& kind, const QString& fallback) const {
  const QString folder = OpenSettings(settingsFile_)->value(Key(kind)).toString();
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
  return fallback;
}

void DialogFolders::Remember(const QString& kind, const QString& pickedFile) {
  const QString folder = QFileInfo(pickedFile).absolutePath();
  if (folder.isEmpty()) return;
  OpenSettings(settingsFile_)->setValue(Key(kind), folder);
}

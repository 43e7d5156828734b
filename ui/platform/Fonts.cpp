// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/Fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

namespace {
const QString kWindowFamily = QStringLiteral("MS Sans Serif");

// "MS Sans Serif" sets narrower than Arial; at the same pixel size Arial-metric fonts would
// not fit the window's fixed label and list widths, the narrow cut does.
QStringList Fallbacks(const QString& family) {
  if (family == kWindowFamily)
    return {family, QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Nimbus Sans Narrow"),
            QStringLiteral("DejaVu Sans Condensed")};
  return {family, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
}

// The installed family that stands for `family`, looked up once: every font lookup with a
// missing first family costs a full font-database search, which showed in start-up time.
QString InstalledFamily(const QString& family) {
  static QHash<QString, QString> resolved;
  const auto found = resolved.constFind(family);
  if (found != resolved.constEnd()) return *found;
  // The plain list of installed families: asking about a missing family by name makes
  // fontconfig resolve aliases, which is slow.
  static const QStringList installed = QFontDatabase::families();
  const QStringList candidates = Fallbacks(family);
  QString chosen = candidates.front();
  for (const QString& candidate : candidates) {
    if (installed.contains(candidate)) {
      chosen = candidate;
      break;
    }
  }
  return *resolved.insert(family, chosen);
}
}  // namespace

QFont PixelFont(const QString& family, int pixelSize, bool bold) {
  QFont font(InstalledFamily(family));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

QFont WindowFont(int pixelSize, bool bold) { return PixelFont(kWindowFamily, pixelSize, bold); }

#include "Fonts.h"

#include <QStringList>

namespace {
// "MS Sans Serif" sets narrower than Arial; at the same pixel size Arial-metric fonts would
// not fit the window's fixed label and list widths, the narrow cut does.
QStringList Fallbacks(const QString& family) {
  if (family == QStringLiteral("MS Sans Serif"))
    return {family, QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Nimbus Sans Narrow"),
            QStringLiteral("DejaVu Sans Condensed")};
  return {family, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
}
}  // namespace

QFont PixelFont(const QString& family, int pixelSize, bool bold) {
  QFont font;
  font.setFamilies(Fallbacks(family));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

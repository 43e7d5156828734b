#include "Fonts.h"

#include <QStringList>

QFont PixelFont(const QString& family, int pixelSize, bool bold) {
  QFont font;
  font.setFamilies({family, QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                    QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

#include "ui/platform/ApplicationSetup.h"

#include <QApplication>

#include "ui/platform/AppResources.h"
#include "ui/platform/Fonts.h"

void SetUpApplication() {
  QApplication::setApplicationName(QStringLiteral("Tremvale"));
  QApplication::setWindowIcon(ApplicationIcon());
  QApplication::setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
}

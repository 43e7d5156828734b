#include "ApplicationSetup.h"

#include <QApplication>

#include "AppResources.h"
#include "Fonts.h"

void SetUpApplication() {
  QApplication::setApplicationName(QStringLiteral("Tremvale"));
  QApplication::setWindowIcon(ApplicationIcon());
  QApplication::setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
}

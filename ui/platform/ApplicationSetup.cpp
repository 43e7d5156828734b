// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/ApplicationSetup.h"

#include <QApplication>

#include "model/Version.h"
#include "ui/platform/AppResources.h"
#include "ui/platform/Captions.h"
#include "ui/platform/Fonts.h"

void SetUpApplication() {
  QApplication::setApplicationName(caption::kProgram);
  QApplication::setApplicationVersion(QString::fromLatin1(tremvale::kVersion));
  // Lets the desktop match the running window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(tremvale::kApplicationId));
  QApplication::setWindowIcon(ApplicationIcon());
  QApplication::setFont(WindowFont(11));
}

#include "ui/platform/ApplicationSetup.h"

#include <QApplication>

#include "ui/platform/AppResources.h"
#include "ui/platform/Captions.h"
#include "ui/platform/Fonts.h"

void SetUpApplication() {
  QApplication::setApplicationName(caption::kProgram);
  QApplication::setWindowIcon(ApplicationIcon());
  QApplication::setFont(WindowFont(11));
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <cstdio>
#include <exception>
#include <memory>

#include "app/CommandLine.h"
#include "ui/platform/ApplicationSetup.h"
#include "ui/platform/ErrorText.h"
#include "ui/platform/QtDesktop.h"
#include "ui/windows/GraphPanelForm.h"
#include "ui/windows/Unit1.h"

namespace {
// Qt aborts with a long message when there is no display; say plainly what to do instead.
bool HasDisplay() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
         !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}
}  // namespace

int main(int argc, char* argv[]) {
  if (const auto exitCode = HandleCommandLine(argc, argv)) return *exitCode;
  if (!HasDisplay()) {
    std::fputs(
        "Tremvale needs a graphical desktop, and no display was found (DISPLAY is not set); "
        "start it from a desktop session, or without one under a virtual display: "
        "xvfb-run -a tremvale\n",
        stderr);
    return 1;
  }
  QApplication app(argc, argv);
  SetUpApplication();
  QtDesktop desktop(nullptr);
  try {
    auto form = std::make_unique<TForm1>(desktop);
    desktop.SetParent(form.get());
    auto startupPanel = std::make_unique<TForm2>(nullptr);
    Form2 = startupPanel.get();
    form->show();
    QApplication::exec();
    startupPanel.reset();
    form.reset();
  } catch (const std::exception& error) {
    desktop.SetParent(nullptr);
    desktop.Error(ErrorText(error));
  }
  return 0;
}

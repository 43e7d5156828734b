// SPDX-License-Identifier: GPL-3.0-or-later
// Starts, shows one window, paints it once and exits: `startup_probe tremvale` shows the
// main window, `startup_probe bare` an empty QMainWindow of the same size, `startup_probe
// text` the same with one label, which makes Qt load its font database as any window with
// text must. ui_bench times whole processes, so library loading and platform start-up count
// as a user feels them.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QWindow>
#include <cstring>

#include "tests/support/RecordingDesktop.h"
#include "ui/platform/ApplicationSetup.h"
#include "ui/windows/GraphPanelForm.h"
#include "ui/windows/Unit1.h"

namespace {
void ShowAndPaint(QWidget& window) {
  window.show();
  while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed())
    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  window.repaint();
}
}  // namespace

int main(int argc, char** argv) {
  const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
  const bool text = argc > 1 && std::strcmp(argv[1], "text") == 0;
  QApplication app(argc, argv);
  if (bare || text) {
    QMainWindow window;
    window.resize(931, 455);
    if (text) window.setCentralWidget(new QLabel(QStringLiteral("Tremvale")));
    ShowAndPaint(window);
    return 0;
  }
  SetUpApplication();
  RecordingDesktop desktop;
  TForm1 form(desktop);
  TForm2 panel(nullptr);
  ShowAndPaint(form);
  return 0;
}

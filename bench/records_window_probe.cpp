// SPDX-License-Identifier: GPL-3.0-or-later
// How long the records window's event handlers take while it reads record files and computes
// their spectra: `records_window_probe [records] [steps]` (default 100 records of 8,000 steps)
// adds synthetic text records through the window's file queue, runs the check at three main
// periods and prints the longest single event the window's thread handled meanwhile, with the
// wall time of the whole. Run it in the bench build, on a display or with
// QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <numbers>
#include <sstream>

#include "tests/support/RecordingDesktop.h"
#include "ui/platform/ApplicationSetup.h"
#include "ui/windows/RecordsForm.h"
#include "ui/windows/Unit1.h"

namespace {

// Times every event delivered by the event loop itself; events sent from within a handler
// count as part of it.
class TimedApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    if (depth_ > 0 || !measuring) return QApplication::notify(receiver, event);
    ++depth_;
    QElapsedTimer timer;
    timer.start();
    const bool handled = QApplication::notify(receiver, event);
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    --depth_;
    ++events;
    if (ms > longestMs) {
      longestMs = ms;
      longestType = event->type();
    }
    return handled;
  }

  bool measuring = false;
  double longestMs = 0;
  int longestType = 0;
  long events = 0;

 private:
  int depth_ = 0;
};

QStringList WriteRecords(const QTemporaryDir& folder, int count, int steps) {
  QStringList paths;
  for (int k = 0; k < count; ++k) {
    std::ostringstream text;
    text.precision(9);
    const double period = 0.2 + 0.01 * k;
    for (int i = 0; i < steps; ++i) {
      const double t = i * 0.005;
      text << t << ' ' << 0.2 * std::exp(-0.1 * t) * std::sin(2 * std::numbers::pi * t / period)
           << '\n';
    }
    const QString path = folder.filePath(QStringLiteral("record%1.txt").arg(k));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(QByteArray::fromStdString(text.str()));
    paths << path;
  }
  return paths;
}

void Wait(QApplication& app, TRecordsForm& window, bool (TRecordsForm::*busy)() const) {
  while ((window.*busy)()) app.processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace

int main(int argc, char** argv) {
  TimedApplication app(argc, argv);
  SetUpApplication();
  const int count = argc > 1 ? std::atoi(argv[1]) : 100;
  const int steps = argc > 2 ? std::atoi(argv[2]) : 8000;
  QTemporaryDir folder;
  const QStringList paths = WriteRecords(folder, count, steps);

  RecordingDesktop desktop;
  TForm1 form(desktop);
  form.Button1->click();  // a design spectrum to check against
  form.show();
  form.RecordsClick();
  TRecordsForm& window = *form.RecordsForm;
  window.edtPeriods->setText(QStringLiteral("1.2, 0.4, 0.2"));
  for (int i = 0; i < 10; ++i) app.processEvents();

  QElapsedTimer wall;
  wall.start();
  app.measuring = true;
  window.QueueFiles(paths);
  Wait(app, window, &TRecordsForm::Reading);
  window.btnCheck->click();
  Wait(app, window, &TRecordsForm::Computing);
  app.measuring = false;

  std::cout << count << " records of " << steps << " steps: read, computed and checked in "
            << wall.elapsed() << " ms; longest event " << app.longestMs << " ms (type "
            << app.longestType << ") of " << app.events << "; check "
            << (window.Check() ? "made" : "missing") << ", " << desktop.messages().size()
            << " messages\n";
  return window.Check() && desktop.messages().empty() ? 0 : 1;
}

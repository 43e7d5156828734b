// SPDX-License-Identifier: GPL-3.0-or-later
// Latency of the main window's commands and of start-up, as a user feels them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/support/RecordingDesktop.h"
#include "ui/widgets/SpectrumCheckList.h"
#include "ui/windows/Unit1.h"

namespace {

void CreateSpectra(TForm1& form, int count, int first = 0) {
  for (int i = 0; i < count; ++i) {
    form.edt4->setText(QStringLiteral("S%1").arg(first + i));
    form.Button1Click();
  }
}

// A main window holding as many spectra as the benchmark's argument says.
struct PopulatedWindow {
  explicit PopulatedWindow(const benchmark::State& state)
      : present(static_cast<int>(state.range(0))) {
    CreateSpectra(form, present);
  }
  RecordingDesktop desktop;
  TForm1 form{desktop};
  int present;
};

void Repaint(TForm1& form) { benchmark::DoNotOptimize(form.client->grab()); }

// One Create with `present` spectra already there, chart and table repainted.
void BM_Create(benchmark::State& state) {
  PopulatedWindow window(state);
  TForm1& form = window.form;
  const int present = window.present;
  int next = present;
  for (auto _ : state) {
    form.edt4->setText(QStringLiteral("S%1").arg(next++));
    form.Button1Click();
    Repaint(form);
    state.PauseTiming();
    form.DeleteSpectrum(form.Inputs().name);
    form.RefreshDataGrid();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Create)->Arg(0)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);

// Delete of the first spectrum with `present` spectra: the command alone (chart and list
// updated, table rebuilt), with the table repainted, and with the whole window repainted.
template <typename Repaint>
void DeleteFirst(benchmark::State& state, Repaint repaint) {
  PopulatedWindow window(state);
  TForm1& form = window.form;
  const int present = window.present;
  int next = present;
  for (auto _ : state) {
    form.lst1->setCurrentRow(0);
    form.Button4Click();
    repaint(form);
    state.PauseTiming();
    CreateSpectra(form, 1, next++);
    state.ResumeTiming();
  }
}
void BM_DeleteFirstCommand(benchmark::State& state) {
  DeleteFirst(state, [](TForm1&) {});
}
void BM_DeleteFirstTableRepaint(benchmark::State& state) {
  DeleteFirst(state, [](TForm1& form) { benchmark::DoNotOptimize(form.grp4->grab()); });
}
void BM_DeleteFirst(benchmark::State& state) { DeleteFirst(state, Repaint); }
BENCHMARK(BM_DeleteFirstCommand)->Arg(1)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteFirstTableRepaint)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteFirst)->Arg(1)->Arg(50)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

// A check-box toggle with `present` spectra, chart repainted.
void BM_Toggle(benchmark::State& state) {
  PopulatedWindow window(state);
  TForm1& form = window.form;
  bool shown = true;
  for (auto _ : state) {
    shown = !shown;
    form.lst1->item(0)->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
    Repaint(form);
  }
}
BENCHMARK(BM_Toggle)->Arg(1)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);

// Save Data from the click to the closed file, the dialog answered at once.
void BM_SaveData(benchmark::State& state) {
  RecordingDesktop desktop;
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("Spectrum.csv"));
  TForm1 form(desktop);
  CreateSpectra(form, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    desktop.Clear();
    desktop.QueueSaveAnswer(path);
    state.ResumeTiming();
    form.Button2Click();
  }
}
BENCHMARK(BM_SaveData)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// Start-up to the first painted window, whole processes, beside a bare Qt main window.
void RunProbe(benchmark::State& state, const char* kind) {
  const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/startup_probe");
  for (auto _ : state) {
    QProcess process;
    process.start(probe, {QString::fromLatin1(kind)});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
      state.SkipWithError("startup_probe failed");
      return;
    }
  }
}
void BM_StartupTremvale(benchmark::State& state) { RunProbe(state, "tremvale"); }
void BM_StartupBareMainWindow(benchmark::State& state) { RunProbe(state, "bare"); }
void BM_StartupMainWindowWithLabel(benchmark::State& state) { RunProbe(state, "text"); }
BENCHMARK(BM_StartupTremvale)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StartupBareMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StartupMainWindowWithLabel)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

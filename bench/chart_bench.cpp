// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the chart's share of Create, Delete and a check-box change, each followed by the
// repaint the event loop would do, beside a bare repaint of the same chart. The second argument
// says whether the change moves the left axis (the spectrum concerned is the tallest).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "chart/widget/ResponseChartView.h"
#include "model/DesignSpectrum.h"

namespace {

// Sa tops between 0.04 and 0.32; the tall one reaches 0.9.
DesignSpectrum Spectrum(int i, bool tall = false) {
  return DesignSpectrum("Spectrum " + std::to_string(i), tall ? 0.9 : 0.04 + 0.01 * (i % 29),
                        0.25 + 0.05 * (i % 15), 0.05, i % 2);
}

// A docked chart with `count` spectra, the last one tall if asked, laid out and painted.
class DockedChart {
 public:
  DockedChart(int count, bool tallLast) {
    view_.resize(639, 248);
    view_.SetupLeftAxis();
    for (int i = 0; i < count; ++i)
      view_.AddSpectrumSeries(Spectrum(i, tallLast && i == count - 1));
    view_.RenderImage();
  }
  ResponseChartView& View() { return view_; }

 private:
  ResponseChartView view_;
};

int Count(const benchmark::State& state) { return static_cast<int>(state.range(0)); }
bool Rescales(const benchmark::State& state) { return state.range(1) != 0; }

void BM_BareGrab(benchmark::State& state) {
  DockedChart chart(Count(state), false);
  for (auto _ : state) benchmark::DoNotOptimize(chart.View().grab());
}

void BM_AddSpectrumSeries(benchmark::State& state) {
  DockedChart chart(Count(state), false);
  ResponseChartView& view = chart.View();
  const DesignSpectrum added = Spectrum(Count(state), Rescales(state));
  for (auto _ : state) {
    view.AddSpectrumSeries(added);
    benchmark::DoNotOptimize(view.RenderImage());
    state.PauseTiming();
    view.RemoveSeries(view.SeriesCount() - 1);
    view.RenderImage();
    state.ResumeTiming();
  }
}

void BM_RemoveSeries(benchmark::State& state) {
  const int last = Count(state) - 1;
  DockedChart chart(Count(state), Rescales(state));
  ResponseChartView& view = chart.View();
  const DesignSpectrum readded = Spectrum(last, Rescales(state));
  for (auto _ : state) {
    view.RemoveSeries(last);
    benchmark::DoNotOptimize(view.RenderImage());
    state.PauseTiming();
    view.AddSpectrumSeries(readded);
    view.RenderImage();
    state.ResumeTiming();
  }
}

void BM_SetSeriesActive(benchmark::State& state) {
  const int last = Count(state) - 1;
  DockedChart chart(Count(state), Rescales(state));
  ResponseChartView& view = chart.View();
  bool active = true;
  for (auto _ : state) {
    active = !active;
    view.SetSeriesActive(last, active);
    benchmark::DoNotOptimize(view.RenderImage());
  }
}

void Charts(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgNames({"present", "rescales"})->Unit(benchmark::kMillisecond);
  for (int count : {1, 50, 200}) benchmark->Args({count, 0});
}

void ChangingCharts(benchmark::internal::Benchmark* benchmark) {
  Charts(benchmark);
  for (int count : {50, 200}) benchmark->Args({count, 1});
}

BENCHMARK(BM_BareGrab)->Apply(Charts);
BENCHMARK(BM_AddSpectrumSeries)->Apply(ChangingCharts);
BENCHMARK(BM_RemoveSeries)->Apply(ChangingCharts);
BENCHMARK(BM_SetSeriesActive)->Apply(ChangingCharts);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

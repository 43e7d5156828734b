// Cost of the chart's share of Create, Delete and a check-box change, each followed by the
// repaint the event loop would do, beside a bare repaint of the same chart.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "DesignSpectrum.h"
#include "ResponseChartView.h"

namespace {

DesignSpectrum Spectrum(int i) {
  return DesignSpectrum("Spectrum " + std::to_string(i), 0.04 + 0.01 * (i % 29),
                        0.25 + 0.05 * (i % 15), 0.05, i % 2);
}

// A docked chart with `count` spectra, laid out and painted once.
class DockedChart {
 public:
  explicit DockedChart(int count) {
    view_.resize(639, 248);
    view_.SetupLeftAxis();
    for (int i = 0; i < count; ++i) view_.AddSpectrumSeries(Spectrum(i));
    view_.RenderImage();
  }
  ResponseChartView& View() { return view_; }

 private:
  ResponseChartView view_;
};

void BM_BareGrab(benchmark::State& state) {
  DockedChart chart(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(chart.View().grab());
}

void BM_AddSpectrumSeries(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  DockedChart chart(count);
  ResponseChartView& view = chart.View();
  const DesignSpectrum added = Spectrum(count);
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
  const int count = static_cast<int>(state.range(0));
  DockedChart chart(count);
  ResponseChartView& view = chart.View();
  const DesignSpectrum readded = Spectrum(count);
  for (auto _ : state) {
    view.RemoveSeries(count / 2);
    benchmark::DoNotOptimize(view.RenderImage());
    state.PauseTiming();
    view.AddSpectrumSeries(readded);
    view.RenderImage();
    state.ResumeTiming();
  }
}

void BM_SetSeriesActive(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  DockedChart chart(count);
  ResponseChartView& view = chart.View();
  bool active = true;
  for (auto _ : state) {
    active = !active;
    view.SetSeriesActive(count / 2, active);
    benchmark::DoNotOptimize(view.RenderImage());
  }
}

void SeriesPresent(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_BareGrab)->Apply(SeriesPresent);
BENCHMARK(BM_AddSpectrumSeries)->Apply(SeriesPresent);
BENCHMARK(BM_RemoveSeries)->Apply(SeriesPresent);
BENCHMARK(BM_SetSeriesActive)->Apply(SeriesPresent);

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

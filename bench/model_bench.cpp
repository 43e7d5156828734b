// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "model/CsvText.h"
#include "model/DesignSpectrum.h"
#include "model/NumberText.h"
#include "model/SpectrumList.h"

namespace {

std::vector<double> FineGrid() {
  std::vector<double> periods;
  for (std::int32_t i = 0; i < FinePeriodCount(); ++i) periods.push_back(FinePeriod(i));
  return periods;
}

// One Sa evaluation per item, over the whole fine grid of the start-up spectrum.
void BM_GetSaFineGrid(benchmark::State& state) {
  const DesignSpectrum spectrum("Spectrum-1", 0.04, 0.2, 0.05, 0);
  const std::vector<double> periods = FineGrid();
  for (auto _ : state) {
    for (const double t : periods) {
      double sa = 0;
      benchmark::DoNotOptimize(spectrum.GetSa(t, sa));
      benchmark::DoNotOptimize(sa);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(periods.size()));
}
BENCHMARK(BM_GetSaFineGrid);

// The yardstick for GetSa: one powl per item over the same periods, raising Tg / T to gamma as
// the curved segment of the start-up spectrum does.
void BM_PowlFineGrid(benchmark::State& state) {
  std::vector<long double> ratios;
  for (const double t : FineGrid()) ratios.push_back(t > 0 ? static_cast<double>(0.2L / t) : 1.0);
  const long double gamma = 0.9;
  for (auto _ : state) {
    for (long double ratio : ratios) {
      benchmark::DoNotOptimize(ratio);
      benchmark::DoNotOptimize(std::pow(ratio, gamma));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(ratios.size()));
}
BENCHMARK(BM_PowlFineGrid);

std::vector<double> SampleValues() {
  std::vector<double> values;
  const DesignSpectrum spectrum("Spectrum-1", 0.04, 0.2, 0.05, 0);
  for (std::int32_t i = 0; i < FinePeriodCount(); ++i) {
    double sa = 0;
    spectrum.GetSa(FinePeriod(i), sa);
    values.push_back(sa);
  }
  return values;
}

template <NumberPattern pattern>
void BM_FormatPattern(benchmark::State& state) {
  const std::vector<double> values = SampleValues();
  for (auto _ : state) {
    for (const double v : values) benchmark::DoNotOptimize(FormatPattern(pattern, v, "."));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}
BENCHMARK(BM_FormatPattern<NumberPattern::Scientific>)->Name("BM_FormatPattern/0.0000E+00");
BENCHMARK(BM_FormatPattern<NumberPattern::SixDecimals>)->Name("BM_FormatPattern/0.000000");
BENCHMARK(BM_FormatPattern<NumberPattern::TwoDecimals>)->Name("BM_FormatPattern/0.00");

void BM_FormatGeneral(benchmark::State& state) {
  const std::vector<double> values = SampleValues();
  for (auto _ : state) {
    for (const double v : values) benchmark::DoNotOptimize(FormatGeneral(v, "."));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}
BENCHMARK(BM_FormatGeneral);

void BM_ParseNumber(benchmark::State& state) {
  const std::vector<std::string> texts = {"0.04", "0.2", "0.05", "1.2345E-2", " 0.35 "};
  for (auto _ : state) {
    for (const auto& text : texts) benchmark::DoNotOptimize(ParseNumber(text, "."));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}
BENCHMARK(BM_ParseNumber);

// The whole "Save Data" text for 1, 10 and 100 spectra of varied shape.
void BM_BuildCsvText(benchmark::State& state) {
  SpectrumList spectra;
  for (int k = 0; k < state.range(0); ++k) {
    spectra.Append(std::make_unique<DesignSpectrum>("Spectrum-" + std::to_string(k + 1),
                                                    0.04 + 0.01 * (k % 7), 0.2 + 0.05 * (k % 9),
                                                    0.02 + 0.01 * (k % 4), k % 2));
  }
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = BuildCsvText(spectra, ".");
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_BuildCsvText)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "records/LibrarySpectra.h"
#include "records/RecordFileReader.h"
#include "records/RecordSelection.h"
#include "records/ResponseSpectrum.h"
#include "records/ShapeBand.h"

namespace {

constexpr std::size_t kRecords = 1000;
constexpr std::size_t kSteps = 8000;
constexpr double kTargetGal = 400;  // rare earthquake at 0.20 g
const DesignSpectrum kDesign("design", 0.9, 0.4, 0.05, 0);

// Appended rather than "r" + text, which trips GCC 12's -Wrestrict false alarm when optimised.
std::string Name(unsigned seed) {
  std::string name = "r";
  name.append(std::to_string(seed));
  return name;
}

// 8,000 steps at 0.005 s: noise through a filter whose corner differs per seed, so that the
// spectra differ in shape, under a rise-hold-decay envelope.
GroundMotion SyntheticRecord(unsigned seed) {
  std::mt19937 random(seed);
  std::normal_distribution<double> noise(0, 1);
  std::uniform_real_distribution<double> pole(0.6, 0.97);
  const double a = pole(random);
  GroundMotion motion{Name(seed), 0.005, {}, {}};
  double filtered = 0, slow = 0;
  for (std::size_t k = 0; k <= kSteps; ++k) {
    const double t = static_cast<double>(k) * motion.step;
    const double envelope = t < 4 ? t / 4 : std::exp(-0.15 * (t - 4));
    filtered = a * filtered + noise(random);
    slow = 0.98 * slow + 0.1 * filtered;
    motion.acceleration.push_back(0.02 * envelope * (filtered + slow));
  }
  return motion;
}

// A folder of PEER files made once per run.
const std::vector<std::string>& LibraryFiles() {
  static const std::vector<std::string> files = [] {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "tremvale-select-bench";
    std::filesystem::create_directories(folder);
    std::vector<std::string> paths;
    for (unsigned i = 0; i < kRecords; ++i) {
      const std::string path = (folder / (Name(i) + ".AT2")).string();
      paths.push_back(path);
      if (std::filesystem::exists(path)) continue;
      const GroundMotion motion = SyntheticRecord(i);
      std::string text = "PEER record\r\nsynthetic\r\nACCELERATION TIME HISTORY IN UNITS OF G\r\n";
      text += "NPTS=  " + std::to_string(motion.acceleration.size()) + ", DT=   .0050 SEC\r\n";
      char value[32];
      for (std::size_t k = 0; k < motion.acceleration.size(); ++k) {
        std::snprintf(value, sizeof value, "  %.7E", motion.acceleration[k]);
        text += value;
        if (k % 5 == 4) text += "\r\n";
      }
      std::ofstream(path, std::ios::binary) << text << "\r\n";
    }
    return paths;
  }();
  return files;
}

SelectionSettings Settings() {
  SelectionSettings s;
  s.check.periods = {0.5, 1.0};
  s.bandPeriods = ShapeBandPeriods(DefaultShapeBand(s.check.periods));
  return s;
}

std::vector<CandidateSpectrum> Compute(std::size_t count) {
  const std::vector<std::string>& files = LibraryFiles();
  LibraryRequest request;
  request.count = count;
  request.read = [&](std::size_t i) { return *ReadRecordFile(files[i], files[i], {}); };
  request.periods = SelectionPeriods(Settings());
  request.targetGal = kTargetGal;
  return *ComputeLibrarySpectra(request);
}

const std::vector<CandidateSpectrum>& Spectra() {
  static const std::vector<CandidateSpectrum> spectra = Compute(kRecords);
  return spectra;
}

void Report(benchmark::State& state, const SelectionResult& r) {
  state.counters["band_rms_pct"] = r.sets.front().bandRms * 100;
  state.counters["passes"] = r.sets.front().passes ? 1 : 0;
  state.counters["proven"] = r.proven ? 1 : 0;
  state.counters["bound_pct"] = r.bandRmsBound ? *r.bandRmsBound * 100 : 0;
  state.counters["starts"] = static_cast<double>(r.starts);
  state.counters["sets_scored"] = static_cast<double>(r.evaluated);
}

// Reading and computing 1,000 records of 8,000 steps, then choosing 7: the target is 3 s.
void BM_ColdSelect7Of1000(benchmark::State& state) {
  LibraryFiles();
  for (auto _ : state) {
    const std::vector<CandidateSpectrum> candidates = Compute(kRecords);
    const SelectionResult r = SelectRecords(candidates, kDesign, Settings());
    Report(state, r);
  }
}
BENCHMARK(BM_ColdSelect7Of1000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// One record read, against one record's spectrum at the selection's periods.
void BM_ReadOneRecord(benchmark::State& state) {
  const std::string& file = LibraryFiles().front();
  for (auto _ : state) benchmark::DoNotOptimize(ReadRecordFile(file, file, {}));
}
BENCHMARK(BM_ReadOneRecord)->Unit(benchmark::kMicrosecond);

void BM_SpectrumOfOneRecord(benchmark::State& state) {
  const GroundMotion motion = SyntheticRecord(0);
  SpectrumOptions options;
  options.periods = SelectionPeriods(Settings());
  for (auto _ : state) benchmark::DoNotOptimize(ComputeSpectrum(motion, options));
}
BENCHMARK(BM_SpectrumOfOneRecord)->Unit(benchmark::kMicrosecond);

// The search alone, spectra in memory.
void BM_Search7Of1000(benchmark::State& state) {
  const std::vector<CandidateSpectrum>& candidates = Spectra();
  for (auto _ : state) Report(state, SelectRecords(candidates, kDesign, Settings()));
}
BENCHMARK(BM_Search7Of1000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// 30 records: every one of the 2,035,800 sets, against the exchange search alone.
void BM_Select7Of30(benchmark::State& state, bool enumerate) {
  SelectionSettings s = Settings();
  std::vector<CandidateSpectrum> candidates;  // the first 30 that are not left out
  for (const CandidateSpectrum& c : Spectra()) {
    const bool inBand =
        c.scaleFactor >= s.check.scaleBand.low && c.scaleFactor <= s.check.scaleBand.high;
    if (inBand && c.effectiveDuration >= 5 && candidates.size() < 30) candidates.push_back(c);
  }
  s.enumerate = enumerate;
  s.timeLimit = 60;
  for (auto _ : state) Report(state, SelectRecords(candidates, kDesign, s));
}
BENCHMARK_CAPTURE(BM_Select7Of30, Exhaustive, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Select7Of30, SearchAlone, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

// The yardstick for 1,000: the best of 100 greedy choices, each from a random first record,
// in the same order of sets (passing first, then the band RMS).
void BM_BestOf100RandomGreedy(benchmark::State& state) {
  const std::vector<CandidateSpectrum>& c = Spectra();
  const SelectionSettings s = Settings();
  const std::size_t M = s.check.periods.size(), P = s.bandPeriods.size(), N = s.count;
  std::vector<double> design;
  for (const double t : SelectionPeriods(s)) {
    double sa = 0;
    kDesign.GetSa(t, sa);
    design.push_back(sa);
  }
  auto score = [&](const std::vector<std::size_t>& set, bool& passes) {
    passes = true;
    double squares = 0;
    for (std::size_t q = 0; q < M + P; ++q) {
      double mean = 0;
      for (const std::size_t i : set) mean += c[i].psa[q];
      const double d = mean / static_cast<double>(set.size()) / design[q] - 1;
      if (q < M) {
        passes = passes && std::fabs(d) <= s.check.tolerance;
      } else {
        squares += d * d;
      }
    }
    return std::sqrt(squares / static_cast<double>(P));
  };
  for (auto _ : state) {
    std::mt19937 random(1);
    double best = std::numeric_limits<double>::infinity();
    bool bestPasses = false;
    for (int start = 0; start < 100; ++start) {
      std::vector<std::size_t> set{
          std::uniform_int_distribution<std::size_t>(0, c.size() - 1)(random)};
      while (set.size() < N) {
        std::size_t pick = 0;
        double pickRms = std::numeric_limits<double>::infinity();
        bool pickPasses = false;
        for (std::size_t j = 0; j < c.size(); ++j) {
          if (std::find(set.begin(), set.end(), j) != set.end()) continue;
          set.push_back(j);
          bool passes = false;
          const double rms = score(set, passes);
          set.pop_back();
          if ((passes && !pickPasses) || (passes == pickPasses && rms < pickRms)) {
            pick = j;
            pickRms = rms;
            pickPasses = passes;
          }
        }
        set.push_back(pick);
      }
      bool passes = false;
      const double rms = score(set, passes);
      if ((passes && !bestPasses) || (passes == bestPasses && rms < best)) {
        best = rms;
        bestPasses = passes;
      }
    }
    state.counters["band_rms_pct"] = best * 100;
    state.counters["passes"] = bestPasses ? 1 : 0;
  }
}
BENCHMARK(BM_BestOf100RandomGreedy)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace

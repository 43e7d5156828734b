// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <random>
#include <thread>
#include <vector>

#include "bench/baseline/Spectrum.h"
#include "model/DesignSpectrum.h"
#include "records/ArtificialRecord.h"
#include "records/GroundMotion.h"
#include "records/OscillatorBank.h"
#include "records/ResponseSpectrum.h"

namespace {

// One artificial record of 30 s at 0.01 s fitted within 5 % over the fine grid 0.05 to 6 s of
// the 8-degree frequent spectrum (AlphaMax 0.16, Tg 0.35 s), one seed per argument: the time,
// the rounds of corrections and the worst deviation in per cent (reached 0 when the fit missed
// within the iteration limit).
void BM_ArtificialRecord(benchmark::State& state) {
  const DesignSpectrum design("8 frequent", 0.16, 0.35, 0.05, 0);
  ArtificialOptions options;
  options.targetPga = 70 / 980.665;
  options.seed = static_cast<std::uint64_t>(state.range(0));
  ArtificialResult result;
  for (auto _ : state) result = *GenerateArtificial(design, options);
  state.counters["iterations"] = result.iterations;
  state.counters["worst_percent"] = 100 * result.worstDeviation;
  state.counters["reached"] = result.reached ? 1 : 0;
}
BENCHMARK(BM_ArtificialRecord)->DenseRange(1, 20)->Iterations(1)->Unit(benchmark::kMillisecond);

constexpr std::size_t kSteps = 8000;

// A record of 8,000 steps at 0.005 s: filtered noise under a rise-hold-decay envelope, about
// 0.3 g at its peak, different for each seed.
GroundMotion SyntheticRecord(unsigned seed) {
  std::mt19937 random(seed);
  std::normal_distribution<double> noise(0, 1);
  GroundMotion motion{"synthetic", 0.005, {}, {}};
  double filtered = 0;
  double previous = 0;
  for (std::size_t k = 0; k <= kSteps; ++k) {
    const double t = static_cast<double>(k) * motion.step;
    const double envelope = t < 4 ? t / 4 : std::exp(-0.15 * (t - 4));
    filtered = 0.9 * filtered + noise(random);
    const double value = 0.5 * (filtered + previous);
    previous = filtered;
    motion.acceleration.push_back(0.05 * envelope * value);
  }
  return motion;
}

SpectrumOptions Options(SpectrumKernel kernel) {
  SpectrumOptions options;
  options.kernel = kernel;
  return options;
}

// One record of 8,000 steps at the 601 periods of the fine grid, 5 % damping.
void BM_OneRecord(benchmark::State& state, SpectrumKernel kernel) {
  if (!SpectrumKernelRuns(kernel)) {
    state.SkipWithError("this processor does not run the kernel");
    return;
  }
  const GroundMotion motion = SyntheticRecord(1);
  const SpectrumOptions options = Options(kernel);
  for (auto _ : state) benchmark::DoNotOptimize(ComputeSpectrum(motion, options));
  state.counters["oscillator_steps_per_s"] = benchmark::Counter(
      static_cast<double>(kSteps * 600), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK_CAPTURE(BM_OneRecord, Vectorised, SpectrumKernel::Vectorised)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneRecord, Avx512, SpectrumKernel::Avx512)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneRecord, Avx2, SpectrumKernel::Avx2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneRecord, Plain, SpectrumKernel::Plain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneRecord, Scalar, SpectrumKernel::Scalar)->Unit(benchmark::kMillisecond);

// The constants of the 601 oscillators of the fine grid, worked out anew: a spectrum pays this
// once for each new time step, damping or set of periods (ComputeSpectrum keeps the last few).
void BM_OscillatorBank(benchmark::State& state) {
  std::vector<double> periods = DefaultPeriods();
  periods.erase(periods.begin());
  for (auto _ : state) benchmark::DoNotOptimize(OscillatorBank(periods, 0.05, 0.005));
}
BENCHMARK(BM_OscillatorBank)->Unit(benchmark::kMillisecond);

// The same record through the kernel as it was before SA became the continuous peak: the
// yardstick for the cost of the absolute-acceleration crests.
void BM_OneRecordBaseline(benchmark::State& state) {
  const GroundMotion motion = SyntheticRecord(1);
  std::vector<double> periods = DefaultPeriods();
  periods.erase(periods.begin());
  for (auto _ : state) benchmark::DoNotOptimize(baseline::ComputePeaks(motion, periods, 0.05));
  state.counters["oscillator_steps_per_s"] = benchmark::Counter(
      static_cast<double>(kSteps * 600), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_OneRecordBaseline)->Unit(benchmark::kMillisecond);

// The yardstick: the bare recurrence over 32 oscillators at a time, the loop the compiler
// vectorises best, with no peaks, no crest search and no blocks; what the machine gives for the
// eight multiply-adds per oscillator and step.
constexpr std::size_t kBare = 32;
struct alignas(64) BareChunk {
  double xx[kBare], xv[kBare], xa0[kBare], xa1[kBare], vx[kBare], vv[kBare], va0[kBare], va1[kBare];
};

#if defined(__x86_64__)
__attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#endif
void BareRecurrence(
    const BareChunk* __restrict k, double* __restrict x, double* __restrict v,
    const double* __restrict a, std::size_t steps) {
  for (std::size_t n = 0; n < steps; ++n) {
#pragma GCC unroll 8
    for (std::size_t i = 0; i < kBare; ++i) {
      const double x1 = k->xx[i] * x[i] + k->xv[i] * v[i] + k->xa0[i] * a[n] + k->xa1[i] * a[n + 1];
      const double v1 = k->vx[i] * x[i] + k->vv[i] * v[i] + k->va0[i] * a[n] + k->va1[i] * a[n + 1];
      x[i] = x1;
      v[i] = v1;
    }
  }
}

void BM_OneRecordBareRecurrence(benchmark::State& state) {
  const GroundMotion motion = SyntheticRecord(1);
  std::vector<double> periods = DefaultPeriods();
  periods.erase(periods.begin());
  const OscillatorBank bank(periods, 0.05, motion.step);
  std::vector<BareChunk> chunks((bank.size() + kBare - 1) / kBare);
  for (std::size_t i = 0; i < bank.size(); ++i) {
    const OscillatorChunk& from = bank.ChunkOf(i);
    const std::size_t j = OscillatorBank::Place(i);
    BareChunk& to = chunks[i / kBare];
    const std::size_t p = i % kBare;
    to.xx[p] = from.xx[j];
    to.xv[p] = from.xv[j];
    to.xa0[p] = from.xa0[j];
    to.xa1[p] = from.xa1[j];
    to.vx[p] = from.vx[j];
    to.vv[p] = from.vv[j];
    to.va0[p] = from.va0[j];
    to.va1[p] = from.va1[j];
  }
  for (auto _ : state) {
    for (const BareChunk& chunk : chunks) {
      alignas(64) double x[kBare] = {};
      alignas(64) double v[kBare] = {};
      BareRecurrence(&chunk, x, v, motion.acceleration.data(), kSteps);
      benchmark::DoNotOptimize(x);
      benchmark::DoNotOptimize(v);
    }
  }
}
BENCHMARK(BM_OneRecordBareRecurrence)->Unit(benchmark::kMillisecond);

// 100 such records shared out over the given number of threads; compare the wall times of 1
// and 2 threads for the speed-up.
void BM_HundredRecords(benchmark::State& state) {
  const auto threads = static_cast<std::size_t>(state.range(0));
  std::vector<GroundMotion> motions;
  for (unsigned seed = 0; seed < 100; ++seed) motions.push_back(SyntheticRecord(seed));
  const SpectrumOptions options = Options(SpectrumKernel::Vectorised);
  for (auto _ : state) {
    std::vector<std::thread> workers;
    for (std::size_t w = 0; w < threads; ++w) {
      workers.emplace_back([&, w] {
        for (std::size_t i = w; i < motions.size(); i += threads) {
          benchmark::DoNotOptimize(ComputeSpectrum(motions[i], options));
        }
      });
    }
    for (std::thread& worker : workers) worker.join();
  }
  state.counters["records_per_s"] =
      benchmark::Counter(100, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_HundredRecords)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <random>
#include <thread>
#include <vector>

#include "records/GroundMotion.h"
#include "records/ResponseSpectrum.h"

namespace {

constexpr std::size_t kSteps = 8000;

// A record of 8,000 steps at 0.005 s: filtered noise under a rise-hold-decay envelope, about
// 0.3 g at its peak, different for each seed.
GroundMotion SyntheticRecord(unsigned seed) {
  std::mt19937 random(seed);
  std::normal_distribution<double> noise(0, 1);
  GroundMotion motion{"synthetic", 0.005, {}};
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
  const GroundMotion motion = SyntheticRecord(1);
  const SpectrumOptions options = Options(kernel);
  for (auto _ : state) benchmark::DoNotOptimize(ComputeSpectrum(motion, options));
  state.counters["oscillator_steps_per_s"] = benchmark::Counter(
      static_cast<double>(kSteps * 600), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK_CAPTURE(BM_OneRecord, Vectorised, SpectrumKernel::Vectorised)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneRecord, Scalar, SpectrumKernel::Scalar)->Unit(benchmark::kMillisecond);

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

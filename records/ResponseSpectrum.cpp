// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/ResponseSpectrum.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <stdexcept>

#include "model/NumberText.h"
#include "records/AccelerationUnit.h"
#include "records/OscillatorBank.h"
#include "records/OscillatorResponse.h"

namespace {

// Steps between two progress reports: a few milliseconds of work for the fine grid.
constexpr std::size_t kStepsPerReport = 512;

VectorPath PathOf(SpectrumKernel kernel) {
  switch (kernel) {
    case SpectrumKernel::Avx512:
      return VectorPath::Avx512;
    case SpectrumKernel::Avx2:
      return VectorPath::Avx2;
    case SpectrumKernel::Plain:
      return VectorPath::Plain;
    default:
      return VectorPath::Best;
  }
}

}  // namespace

bool SpectrumKernelRuns(SpectrumKernel kernel) {
  return kernel == SpectrumKernel::Scalar || OscillatorResponse::Runs(PathOf(kernel));
}

void CheckSpectrumInputs(const GroundMotion& motion, const SpectrumOptions& options) {
  if (!(options.damping >= 0 && options.damping < 1)) {
    throw std::invalid_argument("The damping ratio must be at least 0 and below 1.");
  }
  for (const double t : options.periods) {
    if (!(t == 0 || (t >= kMinimumPeriod && t <= kMaximumPeriod))) {
      throw std::invalid_argument("Each period must be 0 or between " +
                                  FormatGeneral(kMinimumPeriod, options.decimalSeparator) +
                                  " and " +
                                  FormatGeneral(kMaximumPeriod, options.decimalSeparator) + " s.");
    }
  }
  if (!SpectrumKernelRuns(options.kernel)) {
    throw std::invalid_argument("This processor does not run the chosen spectrum kernel.");
  }
  if (motion.acceleration.empty()) {
    throw std::invalid_argument("The record " + motion.name + " has no values.");
  }
  // A longer step would let the crest search split a step into thousands of pieces, and no
  // record of ground motion is that coarse.
  if (!(motion.step > 0 && motion.step <= kLongestStep)) {
    throw std::invalid_argument("The record " + motion.name + " has a time step of " +
                                FormatGeneral(motion.step, options.decimalSeparator) +
                                " s; spectra need a step above 0 and at most " +
                                FormatGeneral(kLongestStep, options.decimalSeparator) + " s.");
  }
}

namespace {

// The bank for the periods, damping and step. The records of a set mostly share a time step,
// and the spectra of a set their periods and damping, while the constants cost about a third of
// a record's steps: the last few banks are kept, for every thread to share.
std::shared_ptr<const OscillatorBank> BankFor(const std::vector<double>& periods, double damping,
                                              double step) {
  struct Kept {
    std::vector<double> periods;
    double damping, step;
    std::shared_ptr<const OscillatorBank> bank;
  };
  constexpr std::size_t kKept = 4;
  static std::mutex mutex;
  static std::vector<Kept> kept;  // the latest last
  {
    const std::lock_guard lock(mutex);
    for (const Kept& k : kept) {
      if (k.damping == damping && k.step == step && k.periods == periods) return k.bank;
    }
  }
  auto bank = std::make_shared<const OscillatorBank>(periods, damping, step);
  const std::lock_guard lock(mutex);
  if (kept.size() == kKept) kept.erase(kept.begin());
  kept.push_back({periods, damping, step, bank});
  return bank;
}

}  // namespace

std::vector<double> DefaultPeriods() {
  std::vector<double> periods(static_cast<std::size_t>(FinePeriodCount()));
  for (std::size_t i = 0; i < periods.size(); ++i) {
    periods[i] = FinePeriod(static_cast<std::int32_t>(i));
  }
  return periods;
}

std::optional<ResponseSpectrum> ComputeSpectrum(const GroundMotion& motion,
                                                const SpectrumOptions& options,
                                                const SpectrumProgress& progress) {
  CheckSpectrumInputs(motion, options);
  const std::vector<double> periods = options.periods.empty() ? DefaultPeriods() : options.periods;

  std::vector<double> oscillating;  // the positive periods; T = 0 needs no oscillator
  for (const double t : periods) {
    if (t > 0) oscillating.push_back(t);
  }
  const std::shared_ptr<const OscillatorBank> kept =
      BankFor(oscillating, options.damping, motion.step);
  const OscillatorBank& bank = *kept;
  OscillatorResponse response(bank);
  const std::size_t steps = motion.acceleration.size() - 1;
  for (std::size_t first = 0; first < steps; first += kStepsPerReport) {
    if (progress && !progress(static_cast<double>(first) / static_cast<double>(steps))) {
      return std::nullopt;
    }
    const std::size_t last = std::min(steps, first + kStepsPerReport);
    if (options.kernel == SpectrumKernel::Scalar) {
      response.AdvanceScalar(motion.acceleration, first, last);
    } else {
      response.Advance(motion.acceleration, first, last, PathOf(options.kernel));
    }
  }
  if (options.freeVibration) response.AddFreeVibration();
  response.Settle();
  if (progress && !progress(1.0)) return std::nullopt;

  const std::vector<double> peakU = response.PeakDisplacement();
  const std::vector<double> peakA = response.PeakAcceleration();
  const double pga = PeakAcceleration(motion);
  ResponseSpectrum spectrum;
  spectrum.name = motion.name;
  spectrum.damping = options.damping;
  spectrum.periods = periods;
  std::size_t j = 0;
  for (const double t : periods) {
    if (t == 0) {
      spectrum.psa.push_back(pga);
      spectrum.sa.push_back(pga);
      spectrum.sd.push_back(0);
      spectrum.psv.push_back(0);
      continue;
    }
    const double w = bank.omega(j);
    spectrum.psa.push_back(w * w * peakU[j]);
    spectrum.sa.push_back(peakA[j]);
    spectrum.sd.push_back(peakU[j] * kStandardGravity);
    spectrum.psv.push_back(w * peakU[j] * kStandardGravity);
    ++j;
  }
  return spectrum;
}

ResponseSpectrum Scaled(const ResponseSpectrum& spectrum, double factor) {
  ResponseSpectrum scaled = spectrum;
  for (auto* values : {&scaled.psa, &scaled.sa, &scaled.sd, &scaled.psv}) {
    for (double& value : *values) {
      value *= std::fabs(factor);
      // Printed as "inf", such a value would pass for a result.
      if (!std::isfinite(value)) {
        throw std::overflow_error("The spectra of " + spectrum.name +
                                  " reach beyond the range of numbers once scaled.");
      }
    }
  }
  return scaled;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "records/GroundMotion.h"

// Elastic response spectra of one record at one damping ratio, one value per period.
struct ResponseSpectrum {
  std::string name;  // the record's
  double damping = 0.05;
  std::vector<double> periods;  // s
  std::vector<double> psa;      // pseudo-spectral acceleration omega^2 max|u|, g
  std::vector<double> sa;       // peak absolute acceleration, g (see ComputeSpectrum)
  std::vector<double> sd;       // peak relative displacement max|u|, m
  std::vector<double> psv;      // pseudo-spectral velocity omega max|u|, m/s
};

// How the oscillators are advanced. Every kernel gives the same digits: Vectorised runs the
// widest vector loop the processor has; the named loops are there to check that they agree
// (see SpectrumKernelRuns); Scalar takes one oscillator at a time.
enum class SpectrumKernel { Vectorised, Avx512, Avx2, Plain, Scalar };

// Whether this processor runs the kernel.
bool SpectrumKernelRuns(SpectrumKernel kernel);

struct SpectrumOptions {
  std::vector<double> periods;  // s; empty gives the fine period grid 0, 0.01, ..., 6
  double damping = 0.05;        // 0 <= damping < 1
  // Whether the free vibration after the record's end counts; for long periods its first crest
  // can be the largest.
  bool freeVibration = true;
  SpectrumKernel kernel = SpectrumKernel::Vectorised;
  std::string decimalSeparator = ".";  // of the numbers in messages
};

// Called now and then with the fraction done (0..1); returning false stops the computation.
using SpectrumProgress = std::function<bool(double fractionDone)>;

// Periods accepted: 0 (the peak ground acceleration) and kMinimumPeriod..kMaximumPeriod.
inline constexpr double kMinimumPeriod = 0.001;
inline constexpr double kMaximumPeriod = 1000;
// The longest time step of a record whose spectra are computed, s.
inline constexpr double kLongestStep = 1;

// The exact spectra of a linear oscillator under the record, ground acceleration taken as linear
// between the time points. Peaks are those of the continuous response: a crest between two time
// points is located from the closed-form solution, for the displacement (PSA, SD, PSV) and for
// the absolute acceleration (SA) alike; at zero damping SA equals PSA. At T = 0 all spectra give
// the rigid oscillator: PSA = SA = peak ground acceleration, SD = PSV = 0. Throws
// std::invalid_argument for a damping ratio, a period or a record step outside the ranges above, or
// a kernel this processor does not run; no value when progress asked to stop. Touches nothing but
// its arguments, so it may run on any thread while the caller keeps the record alive.
std::optional<ResponseSpectrum> ComputeSpectrum(const GroundMotion& motion,
                                                const SpectrumOptions& options = {},
                                                const SpectrumProgress& progress = {});

// Throws std::invalid_argument with the user's message when ComputeSpectrum would refuse the
// inputs. Its messages use the number texts, so a window calls it on its own thread before it
// hands the work to another.
void CheckSpectrumInputs(const GroundMotion& motion, const SpectrumOptions& options);

// The fine period grid 0, 0.01, ..., 6 s of the design spectrum.
std::vector<double> DefaultPeriods();

// The spectra of the record scaled by factor (the response is linear in the record). Throws
// std::overflow_error when a scaled value is beyond the range of a double.
ResponseSpectrum Scaled(const ResponseSpectrum& spectrum, double factor);

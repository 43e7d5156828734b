// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <vector>

// One damped linear oscillator stepped at the time points of a record, ground acceleration
// linear in between, with constants from the matrix exponential in plain arithmetic (so the
// same bits on every processor). It serves the fitting of artificial records, which needs the
// time of the peak response and the response to single values; the spectra themselves come
// from ComputeSpectrum.
class SampledOscillator {
 public:
  SampledOscillator(double period, double damping, double step);

  // Displacement at the time points after a unit ground acceleration at point 0 and zero at
  // every other point: u[n] = sum over k <= n of impulse[n - k] * a[k].
  std::vector<double> Impulse(std::size_t length) const;

  // The time point of the largest |u| under the record, and u there.
  struct Peak {
    std::size_t index = 0;
    double displacement = 0;
  };
  Peak SampledPeak(std::span<const double> acceleration) const;
  // The displacement at every time point under the record.
  std::vector<double> Displacement(std::span<const double> acceleration) const;
  // The same for several oscillators, the same values: stepped eight at a time, so that the
  // processor works on the others while each waits for its previous step.
  static std::vector<std::vector<double>> Displacements(
      std::span<const SampledOscillator* const> oscillators, std::span<const double> acceleration);

 private:
  // u1 = uu u0 + uv v0 + ua0 a0 + ua1 a1, and likewise for v1.
  double uu_, uv_, ua0_, ua1_;
  double vu_, vv_, va0_, va1_;
};

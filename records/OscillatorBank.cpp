// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/OscillatorBank.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace {

using Complex = std::complex<long double>;

// The integrals over one step of the unit impulse response h(s) = exp(-a s) sin(b s) / b:
// first = integral of h(s), second = integral of s h(s), both over 0..step.
struct StepIntegrals {
  long double first;
  long double second;
};

StepIntegrals Integrals(long double a, long double b, long double step) {
  // With w = (-a + i b) step: integral of exp(w x) and of x exp(w x) over 0..1.
  const Complex w(-a * step, b * step);
  Complex e0;
  Complex e1;
  if (std::abs(w) <= 1) {
    // Power series: near w = 0 the closed forms below lose every digit to cancellation.
    Complex power(1);
    long double factorial = 1;  // k!
    for (int k = 0; k <= 30; ++k) {
      e0 += power / (factorial * static_cast<long double>(k + 1));
      e1 += power / (factorial * static_cast<long double>(k + 2));
      power *= w;
      factorial *= static_cast<long double>(k + 1);
    }
  } else {
    const Complex ew = std::exp(w);
    e0 = (ew - Complex(1)) / w;
    e1 = ew / w - e0 / w;
  }
  return {step / b * e0.imag(), step * step / b * e1.imag()};
}

}  // namespace

OscillatorBank::OscillatorBank(std::span<const double> periods, double damping_, double step_)
    : damping(damping_),
      step(step_),
      chunks((periods.size() + kOscillatorChunk - 1) / kOscillatorChunk),
      size_(periods.size()) {
  const long double zeta = damping;
  const long double dt = step;
  for (std::size_t i = 0; i < size_; ++i) {
    const long double w = 2 * std::numbers::pi_v<long double> / periods[i];
    const long double a = zeta * w;
    const long double b = w * std::sqrt(1 - zeta * zeta);
    const long double decay = std::exp(-a * dt);
    const long double s = std::sin(b * dt);
    const long double c = std::cos(b * dt);
    const long double h11 = decay * (c + a / b * s);
    const long double h12 = decay * s / b;
    const long double h21 = -decay * w * w / b * s;
    const long double h22 = decay * (c - a / b * s);
    const StepIntegrals in = Integrals(a, b, dt);
    const long double b11 = -in.second / dt;
    const long double b12 = -(in.first - in.second / dt);
    const long double b21 = in.first / dt - h12;
    const long double b22 = -in.first / dt;
    OscillatorChunk& k = chunks[i / kOscillatorChunk];
    const std::size_t j = Place(i);
    k.omega[j] = static_cast<double>(w);
    k.twoZetaOmega[j] = static_cast<double>(2 * a);
    const bool isFast = b * dt >= std::numbers::pi_v<long double>;
    k.crestReach[j] = isFast ? 0 : static_cast<double>(w * dt);
    if (isFast) fast.push_back(i);
    k.xx[j] = static_cast<double>(h11);
    k.xv[j] = static_cast<double>(w * h12);
    k.xa0[j] = static_cast<double>(w * b11);
    k.xa1[j] = static_cast<double>(w * b12);
    k.vx[j] = static_cast<double>(h21 / w);
    k.vv[j] = static_cast<double>(h22);
    k.va0[j] = static_cast<double>(b21);
    k.va1[j] = static_cast<double>(b22);
  }
}

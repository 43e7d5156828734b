// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/SampledOscillator.h"

#include <array>
#include <cmath>

namespace {

using Matrix = std::array<std::array<double, 4>, 4>;

Matrix Product(const Matrix& a, const Matrix& b) {
  Matrix c{};
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += a[i][k] * b[k][j];
      c[i][j] = sum;
    }
  }
  return c;
}

// exp(m) by scaling, a Taylor series and squaring back.
Matrix Exponential(Matrix m) {
  double norm = 0;
  for (const auto& row : m) {
    double sum = 0;
    for (const double x : row) sum += std::fabs(x);
    norm = std::fmax(norm, sum);
  }
  int squarings = 0;
  while (norm > 0.5) {
    norm /= 2;
    ++squarings;
  }
  for (auto& row : m) {
    for (double& x : row) x = std::ldexp(x, -squarings);
  }
  Matrix result{};
  for (int i = 0; i < 4; ++i) result[i][i] = 1;
  for (int n = 18; n >= 1; --n) {
    result = Product(m, result);
    for (int i = 0; i < 4; ++i) {
      for (int j = 0; j < 4; ++j) result[i][j] = result[i][j] / n + (i == j ? 1 : 0);
    }
  }
  for (int s = 0; s < squarings; ++s) result = Product(result, result);
  return result;
}

}  // namespace

SampledOscillator::SampledOscillator(double period, double damping, double step) {
  // State u, v, a, da/dt: u'' + 2 zeta omega u' + omega^2 u = -a with a linear in the step.
  const double omega = 2 * 3.141592653589793 / period;
  Matrix m{};
  m[0][1] = step;
  m[1][0] = -omega * omega * step;
  m[1][1] = -2 * damping * omega * step;
  m[1][2] = -step;
  m[2][3] = step;
  const Matrix e = Exponential(m);
  // da/dt = (a1 - a0) / step.
  uu_ = e[0][0];
  uv_ = e[0][1];
  ua1_ = e[0][3] / step;
  ua0_ = e[0][2] - ua1_;
  vu_ = e[1][0];
  vv_ = e[1][1];
  va1_ = e[1][3] / step;
  va0_ = e[1][2] - va1_;
}

std::vector<double> SampledOscillator::Impulse(std::size_t length) const {
  std::vector<double> impulse(length);
  if (length == 0) return impulse;
  // The unit value rises over the step before point 0 and falls over the one after it.
  double u = ua1_;
  double v = va1_;
  impulse[0] = u;
  if (length > 1) {
    const double u1 = uu_ * u + uv_ * v + ua0_;
    v = vu_ * u + vv_ * v + va0_;
    u = u1;
    impulse[1] = u;
  }
  for (std::size_t n = 2; n < length; ++n) {
    const double u1 = uu_ * u + uv_ * v;
    v = vu_ * u + vv_ * v;
    u = u1;
    impulse[n] = u;
  }
  return impulse;
}

SampledOscillator::Peak SampledOscillator::SampledPeak(std::span<const double> a) const {
  Peak peak;
  double u = 0;
  double v = 0;
  for (std::size_t n = 1; n < a.size(); ++n) {
    const double u1 = uu_ * u + uv_ * v + ua0_ * a[n - 1] + ua1_ * a[n];
    v = vu_ * u + vv_ * v + va0_ * a[n - 1] + va1_ * a[n];
    u = u1;
    if (std::fabs(u) > std::fabs(peak.displacement)) peak = {n, u};
  }
  return peak;
}

std::vector<double> SampledOscillator::Displacement(std::span<const double> a) const {
  std::vector<double> displacement(a.size(), 0.0);
  double u = 0;
  double v = 0;
  for (std::size_t n = 1; n < a.size(); ++n) {
    const double u1 = uu_ * u + uv_ * v + ua0_ * a[n - 1] + ua1_ * a[n];
    v = vu_ * u + vv_ * v + va0_ * a[n - 1] + va1_ * a[n];
    u = u1;
    displacement[n] = u;
  }
  return displacement;
}

std::vector<std::vector<double>> SampledOscillator::Displacements(
    std::span<const SampledOscillator* const> oscillators, std::span<const double> a) {
  constexpr std::size_t kLanes = 8;
  std::vector<std::vector<double>> displacements(oscillators.size(),
                                                 std::vector<double>(a.size(), 0.0));
  std::vector<double> spare(a.size());
  for (std::size_t first = 0; first < oscillators.size(); first += kLanes) {
    // Lanes past the end step a copy of the first oscillator into a spare row.
    double uu[kLanes], uv[kLanes], ua0[kLanes], ua1[kLanes];
    double vu[kLanes], vv[kLanes], va0[kLanes], va1[kLanes];
    double* out[kLanes];
    for (std::size_t j = 0; j < kLanes; ++j) {
      const bool real = first + j < oscillators.size();
      const SampledOscillator& o = *oscillators[real ? first + j : first];
      uu[j] = o.uu_;
      uv[j] = o.uv_;
      ua0[j] = o.ua0_;
      ua1[j] = o.ua1_;
      vu[j] = o.vu_;
      vv[j] = o.vv_;
      va0[j] = o.va0_;
      va1[j] = o.va1_;
      out[j] = real ? displacements[first + j].data() : spare.data();
    }
    double u[kLanes] = {};
    double v[kLanes] = {};
    for (std::size_t n = 1; n < a.size(); ++n) {
      for (std::size_t j = 0; j < kLanes; ++j) {
        const double u1 = uu[j] * u[j] + uv[j] * v[j] + ua0[j] * a[n - 1] + ua1[j] * a[n];
        v[j] = vu[j] * u[j] + vv[j] * v[j] + va0[j] * a[n - 1] + va1[j] * a[n];
        u[j] = u1;
      }
      for (std::size_t j = 0; j < kLanes; ++j) out[j][n] = u[j];
    }
  }
  return displacements;
}

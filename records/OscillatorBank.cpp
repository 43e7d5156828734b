// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/OscillatorBank.h"

#include <array>
#include <cmath>

namespace {

// The constants are computed in double-double arithmetic (a double and the rounding error it
// leaves) from exactly rounded operations alone: additions, multiplications, divisions, fused
// multiply-adds and square roots, in a fixed order, with contraction switched off. The
// library's exp, sin and cos and the width of long double vary by processor; these give the
// same bits on every one, which the spectra need to print the same digits everywhere.
struct Wide {
  double hi, lo;
};

Wide TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

Wide QuickTwoSum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}

// Off by about 2^-106 of |a| + |b|: where the sum cancels, no worse than the digits the
// operands had, and twice as fast as the sum exact to its own size.
Wide operator+(Wide a, Wide b) {
  const Wide s = TwoSum(a.hi, b.hi);
  return QuickTwoSum(s.hi, s.lo + (a.lo + b.lo));
}

Wide operator-(Wide a) { return {-a.hi, -a.lo}; }
Wide operator-(Wide a, Wide b) { return a + -b; }

// a = hi + lo with hi of 26 bits, so that products of halves are exact (Dekker): inline, where
// a fused multiply-add would be a library call on processors built for without one.
Wide Split(double a) {
  const double t = 134217729.0 * a;  // 2^27 + 1
  const double hi = t - (t - a);
  return {hi, a - hi};
}

// The product a * b and its rounding error, exactly.
Wide TwoProduct(double a, double b) {
  const double p = a * b;
  const Wide x = Split(a);
  const Wide y = Split(b);
  return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

Wide operator*(Wide a, Wide b) {
  const Wide product = TwoProduct(a.hi, b.hi);
  const double p = product.hi;
  double e = product.lo;
  e += a.hi * b.lo + a.lo * b.hi;
  return QuickTwoSum(p, e);
}

Wide operator/(Wide a, Wide b) {
  const double q1 = a.hi / b.hi;
  Wide r = a - b * Wide{q1, 0};
  const double q2 = r.hi / b.hi;
  r = r - b * Wide{q2, 0};
  const double q3 = r.hi / b.hi;
  return QuickTwoSum(q1, q2) + Wide{q3, 0};
}

Wide Of(double x) { return {x, 0}; }

Wide Sqrt(Wide a) {
  if (a.hi <= 0) return {0, 0};
  const Wide x = Of(std::sqrt(a.hi));
  // One Newton step doubles the digits of the rounded root.
  return x + Of((a - x * x).hi / (2 * x.hi));
}

// Multiplies by 2^k: exact.
Wide Scale(Wide a, int k) { return {std::ldexp(a.hi, k), std::ldexp(a.lo, k)}; }

// 1 / n for the series, worked out once: a multiplication costs a third of a division.
constexpr int kInverses = 1024;
const Wide& InverseOf(int n) {
  static const auto inverses = [] {
    std::array<Wide, kInverses> table{};
    for (int m = 1; m < kInverses; ++m) table[m] = Of(1) / Of(m);
    return table;
  }();
  return inverses[n];
}

constexpr Wide kPi{0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53};
constexpr Wide kLn2{0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};

// exp(x) for |x| < 700: x = k ln 2 + r, exp(r / 2^10) by its series, squared ten times.
Wide Exp(Wide x) {
  const double k = std::nearbyint(x.hi / kLn2.hi);
  const Wide r = Scale(x - kLn2 * Of(k), -10);
  Wide sum = Of(1);
  for (int n = 12; n >= 1; --n) sum = Of(1) + sum * r * InverseOf(n);
  for (int n = 0; n < 10; ++n) sum = sum * sum;
  return Scale(sum, static_cast<int>(k));
}

// sin and cos of x for |x| < 1e6: x = k pi / 2 + r with |r| <= pi / 4, both by their series.
void SinCos(Wide x, Wide& sin, Wide& cos) {
  const Wide halfPi = Scale(kPi, -1);
  const double k = std::nearbyint(x.hi / halfPi.hi);
  const Wide r = x - halfPi * Of(k);
  const Wide r2 = r * r;
  Wide s = Of(1);
  for (int n = 31; n >= 3; n -= 2) s = Of(1) - s * r2 * InverseOf(n * (n - 1));
  s = s * r;
  Wide c = Of(1);
  for (int n = 32; n >= 2; n -= 2) c = Of(1) - c * r2 * InverseOf(n * (n - 1));
  switch (static_cast<long long>(k) & 3) {
    case 0:
      sin = s;
      cos = c;
      break;
    case 1:
      sin = c;
      cos = -s;
      break;
    case 2:
      sin = -s;
      cos = -c;
      break;
    default:
      sin = -c;
      cos = s;
  }
}

struct WideComplex {
  Wide re, im;
};

WideComplex operator*(WideComplex p, WideComplex q) {
  return {p.re * q.re - p.im * q.im, p.re * q.im + p.im * q.re};
}

WideComplex operator/(WideComplex p, WideComplex q) {
  const Wide size = q.re * q.re + q.im * q.im;
  return {(p.re * q.re + p.im * q.im) / size, (p.im * q.re - p.re * q.im) / size};
}

// The integrals over one step of the unit impulse response h(s) = exp(-a s) sin(b s) / b:
// first = integral of h(s), second = integral of s h(s), both over 0..step.
struct StepIntegrals {
  Wide first;
  Wide second;
};

// ew = exp(w), with w = (-a + i b) step.
StepIntegrals Integrals(Wide a, Wide b, Wide step, WideComplex ew) {
  // With w = (-a + i b) step: integral of exp(w x) and of x exp(w x) over 0..1.
  const WideComplex w{-(a * step), b * step};
  WideComplex e0{};
  WideComplex e1{};
  if (w.re.hi * w.re.hi + w.im.hi * w.im.hi <= 0x1p-12) {
    // Power series: near w = 0 the closed forms below lose digits to cancellation, about
    // |w|^2 of the sum's size, which the double-double's 106 bits can spare elsewhere.
    WideComplex term{Of(1), Of(0)};  // w^k / k!
    for (int k = 0; k <= 40; ++k) {
      const Wide& first = InverseOf(k + 1);
      const Wide& second = InverseOf(k + 2);
      e0 = {e0.re + term.re * first, e0.im + term.im * first};
      e1 = {e1.re + term.re * second, e1.im + term.im * second};
      // The terms fall off faster than the sum's last digit from here on.
      if (std::fabs(term.re.hi) + std::fabs(term.im.hi) < 0x1p-110) break;
      term = term * w;
      term = {term.re * first, term.im * first};
    }
  } else {
    e0 = WideComplex{ew.re - Of(1), ew.im} / w;
    e1 = WideComplex{ew.re - e0.re, ew.im - e0.im} / w;
  }
  return {step / b * e0.im, step * step / b * e1.im};
}

}  // namespace

OscillatorBank::OscillatorBank(std::span<const double> periods, double damping_, double step_)
    : damping(damping_),
      step(step_),
      chunks((periods.size() + kOscillatorChunk - 1) / kOscillatorChunk),
      size_(periods.size()) {
  const Wide zeta = Of(damping);
  const Wide dt = Of(step);
  for (std::size_t i = 0; i < size_; ++i) {
    const Wide w = Scale(kPi, 1) / Of(periods[i]);
    const Wide a = zeta * w;
    const Wide b = w * Sqrt(Of(1) - zeta * zeta);
    const Wide decay = Exp(-(a * dt));
    Wide s, c;
    SinCos(b * dt, s, c);
    const Wide h11 = decay * (c + a / b * s);
    const Wide h12 = decay * s / b;
    const Wide h21 = -(decay * w * w / b * s);
    const Wide h22 = decay * (c - a / b * s);
    const StepIntegrals in = Integrals(a, b, dt, {decay * c, decay * s});
    const Wide b11 = -(in.second / dt);
    const Wide b12 = -(in.first - in.second / dt);
    const Wide b21 = in.first / dt - h12;
    const Wide b22 = -(in.first / dt);
    OscillatorChunk& k = chunks[i / kOscillatorChunk];
    const std::size_t j = Place(i);
    k.omega[j] = w.hi;
    k.twoZetaOmega[j] = Scale(a, 1).hi;
    const bool isFast = (b * dt - kPi).hi >= 0;
    k.crestReach[j] = isFast ? 0 : (w * dt).hi;
    if (isFast) fast.push_back(i);
    k.xx[j] = h11.hi;
    k.xv[j] = (w * h12).hi;
    k.xa0[j] = (w * b11).hi;
    k.xa1[j] = (w * b12).hi;
    k.vx[j] = (h21 / w).hi;
    k.vv[j] = h22.hi;
    k.va0[j] = b21.hi;
    k.va1[j] = b22.hi;
  }
}

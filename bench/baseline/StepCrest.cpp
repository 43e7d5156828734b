// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/baseline/StepCrest.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace baseline {

namespace {

// The motion at one time inside the step.
struct Point {
  double u, v, acceleration;
};

// u(t) = c0 + c1 t + exp(-a t) (A cos bt + B sin bt); its derivatives share the form:
// v(t) = c1 + exp(-a t) (C cos bt + D sin bt), acceleration(t) = exp(-a t) (E cos bt + F sin bt).
struct Response {
  double a, b;
  double c0, c1;
  double A, B, C, D, E, F;

  void Derive() {
    C = -a * A + b * B;
    D = -a * B - b * A;
    E = -a * C + b * D;
    F = -a * D - b * C;
  }
  Point At(double t) const {
    const double decay = std::exp(-a * t);
    const double c = std::cos(b * t);
    const double s = std::sin(b * t);
    return {c0 + c1 * t + decay * (A * c + B * s), c1 + decay * (C * c + D * s),
            decay * (E * c + F * s)};
  }
};

bool Opposite(double p, double q) { return (p < 0 && q > 0) || (p > 0 && q < 0); }

// |u| at the zero of the velocity in [low, high], which has one there: Newton steps from the
// secant guess, kept inside the bracket by bisection.
double CrestBetween(const Response& r, double low, double high, double vLow, double vHigh) {
  double t = low + (high - low) * vLow / (vLow - vHigh);
  for (int iteration = 0; iteration < 60; ++iteration) {
    const Point p = r.At(t);
    if (p.v == 0) return std::fabs(p.u);
    if (Opposite(p.v, vLow)) {
      high = t;
    } else {
      low = t;
      vLow = p.v;
    }
    double next = p.acceleration != 0 ? t - p.v / p.acceleration : low;
    if (!(next > low && next < high)) next = 0.5 * (low + high);
    if (std::fabs(next - t) <= 1e-15 * high || high - low <= 1e-15 * high) {
      return std::fabs(r.At(next).u);
    }
    t = next;
  }
  return std::fabs(r.At(t).u);
}

// The least and the largest value of the cubic H on 0 <= s <= 1 with H(0) = h0, H'(0) = d0,
// H(1) = h1, H'(1) = d1.
struct Range {
  double least, largest;
};

Range CubicRange(double h0, double d0, double h1, double d1) {
  const double p1 = d0;
  const double p2 = 3 * (h1 - h0) - 2 * d0 - d1;
  const double p3 = 2 * (h0 - h1) + d0 + d1;
  Range range{std::min(h0, h1), std::max(h0, h1)};
  const auto consider = [&](double s) {
    if (!(s > 0 && s < 1)) return;
    const double value = h0 + s * (p1 + s * (p2 + s * p3));
    range.least = std::min(range.least, value);
    range.largest = std::max(range.largest, value);
  };
  // H'(s) = p1 + qb s + qa s^2.
  const double qa = 3 * p3;
  const double qb = 2 * p2;
  if (qa == 0) {
    if (qb != 0) consider(-p1 / qb);
    return range;
  }
  const double discriminant = qb * qb - 4 * qa * p1;
  if (discriminant < 0) return range;
  // The two roots, written so that neither loses digits to cancellation.
  const double q = -0.5 * (qb + std::copysign(std::sqrt(discriminant), qb));
  consider(q / qa);
  if (q != 0) consider(p1 / q);
  return range;
}

}  // namespace

StepCrest::StepCrest(double omega, double damping)
    : omega_(omega), a_(damping * omega), b_(omega * std::sqrt(1 - damping * damping)) {}

namespace {

Response ResponseOf(double a, double b, double omega, const CrestStep& step) {
  Response r{};
  r.a = a;
  r.b = b;
  const double w2 = omega * omega;
  r.c1 = -(step.a1 - step.a0) / (step.length * w2);
  r.c0 = (-step.a0 - 2 * a * r.c1) / w2;
  r.A = step.u0 - r.c0;
  r.B = (step.v0 - r.c1 + a * r.A) / b;
  return r;
}

}  // namespace

CrestBound StepCrest::Bound(const CrestStep& step) const {
  const auto& [u0, v0, u1, v1, a0, a1, length] = step;
  if (!std::isfinite(u0 + v0 + u1 + v1 + a0 + a1 + length)) return {0, 0};
  const Response r = ResponseOf(a_, b_, omega_, step);
  // |u| stays below the larger end of the straight part plus the amplitude R of the oscillating
  // part. And u differs from the cubic through both ends with their slopes by at most
  // max|u''''| length^4 / 384, where |u''''| <= omega^4 R (each derivative of the damped
  // oscillation multiplies its amplitude by omega); so does v from its cubic, by omega times
  // that.
  const double straight = std::max(std::fabs(r.c0), std::fabs(r.c0 + r.c1 * length));
  const double amplitude = std::sqrt(r.A * r.A + r.B * r.B);
  const double wl2 = omega_ * omega_ * length * length;
  const double cubicError = wl2 * wl2 / 384 * amplitude;
  const Range u = CubicRange(u0, v0 * length, u1, v1 * length);
  const double cubicLargest = std::max(-u.least, u.largest);
  if (!Opposite(v0, v1)) {
    // No sign change: a crest needs the velocity to pass zero twice, which its cubic rules out
    // when it keeps clear of zero.
    const double w2 = omega_ * omega_;
    const double acceleration0 = -(a0 + 2 * a_ * v0 + w2 * u0);
    const double acceleration1 = -(a1 + 2 * a_ * v1 + w2 * u1);
    const Range v = CubicRange(v0, acceleration0 * length, v1, acceleration1 * length);
    const double velocityError = omega_ * cubicError;
    if (v.least > velocityError || v.largest < -velocityError) return {0, 0};
  }
  return {std::min(straight + amplitude, cubicLargest + cubicError),
          std::max(0.0, cubicLargest - cubicError)};
}

double StepCrest::Largest(const CrestStep& step) const {
  const auto& [u0, v0, u1, v1, a0, a1, length] = step;
  if (!std::isfinite(u0 + v0 + u1 + v1 + a0 + a1 + length)) return 0;
  Response r = ResponseOf(a_, b_, omega_, step);
  r.Derive();
  constexpr double pi = std::numbers::pi;
  // Shorter than half a damped period and the velocity changes sign: exactly one zero.
  if (b_ * length < pi && Opposite(v0, v1)) return CrestBetween(r, 0, length, v0, v1);
  // Otherwise split at the zeros of the acceleration, b t = theta + k pi: between two of them
  // the velocity is monotone and has at most one zero.
  double theta = std::atan2(-r.E, r.F);
  theta -= pi * std::floor(theta / pi);
  if (theta <= 0) theta += pi;
  double largest = 0;
  double low = 0;
  double vLow = v0;
  const double pieces = std::ceil(b_ * length / pi) + 1;
  for (double phase = theta, piece = 0;; phase += pi, ++piece) {
    const bool last = phase / b_ >= length || !(piece < pieces);
    const double high = last ? length : phase / b_;
    const double vHigh = last ? v1 : r.At(high).v;
    if (Opposite(vLow, vHigh)) largest = std::max(largest, CrestBetween(r, low, high, vLow, vHigh));
    if (last) break;
    low = high;
    vLow = vHigh;
  }
  return largest;
}

CrestStep StepCrest::FreeVibration(double u0, double v0) const {
  // One damped period holds at least one zero of the velocity; the first crest after the
  // record's end is the largest of the decaying motion.
  const double length = 2 * std::numbers::pi / b_;
  Response r = ResponseOf(a_, b_, omega_, {u0, v0, 0, 0, 0, 0, length});
  r.Derive();
  const Point end = r.At(length);
  return {u0, v0, end.u, end.v, 0, 0, length};
}

}  // namespace baseline

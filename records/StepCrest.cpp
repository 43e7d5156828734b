// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/StepCrest.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The motion at one time inside the step.
struct Point {
  double u, v, acceleration;
};

// u(t) = c0 + c1 t + exp(-a t) (A cos bt + B sin bt); its derivatives share the form:
// v(t) = c1 + exp(-a t) (C cos bt + D sin bt), acceleration(t) = exp(-a t) (E cos bt + F sin bt).
// The names are those of the displacement; the same form serves the absolute acceleration.
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
// guess (the secant's when it is outside), kept inside the bracket by bisection. Near the zero u
// changes along a Newton step by about v times the step over two; once that is below the last
// digit of u, u is the crest's.
double CrestBetween(const Response& r, double low, double high, double vLow, double vHigh,
                    double guess = -1) {
  double t = guess > low && guess < high ? guess : low + (high - low) * vLow / (vLow - vHigh);
  for (int iteration = 0; iteration < 60; ++iteration) {
    const Point p = r.At(t);
    if (p.v == 0) return std::fabs(p.u);
    if (Opposite(p.v, vLow)) {
      high = t;
    } else {
      low = t;
      vLow = p.v;
    }
    const double newton = p.acceleration != 0 ? -p.v / p.acceleration : 0;
    if (p.acceleration != 0 && std::fabs(p.v * newton) <= 0x1p-56 * std::fabs(p.u)) {
      return std::fabs(p.u);
    }
    double next = p.acceleration != 0 ? t + newton : low;
    if (!(next > low && next < high)) next = 0.5 * (low + high);
    if (std::fabs(next - t) <= 1e-15 * high || high - low <= 1e-15 * high) {
      return std::fabs(r.At(next).u);
    }
    t = next;
  }
  return std::fabs(r.At(t).u);
}

// The zero in 0 < s < 1 of the cubic with H(0) = h0, H'(0) = d0, H(1) = h1, H'(1) = d1, where
// h0 and h1 differ in sign: a few Newton steps from the secant's zero, a guess for the zero of
// the function the cubic follows. -1 when the steps leave the interval.
double CubicZero(double h0, double d0, double h1, double d1) {
  const double p2 = 3 * (h1 - h0) - 2 * d0 - d1;
  const double p3 = 2 * (h0 - h1) + d0 + d1;
  double s = h0 / (h0 - h1);
  for (int iteration = 0; iteration < 4; ++iteration) {
    const double value = h0 + s * (d0 + s * (p2 + s * p3));
    const double slope = d0 + s * (2 * p2 + 3 * s * p3);
    if (slope == 0) return -1;
    s -= value / slope;
  }
  return s > 0 && s < 1 ? s : -1;
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

// The quantity whose crests are sought, its first and second derivatives at both ends of a step.
struct Ends {
  double h0, d0, dd0, h1, d1, dd1;
};

// The closed form of the quantity over the step. The absolute acceleration
// -(omega^2 u + 2 a v) shares the form of u: a straight part (the ground acceleration) and a
// damped oscillation.
Response ResponseOf(double a, double b, double omega, const CrestStep& step, CrestOf of) {
  Response r{};
  r.a = a;
  r.b = b;
  const double w2 = omega * omega;
  r.c1 = -(step.a1 - step.a0) / (step.length * w2);
  r.c0 = (-step.a0 - 2 * a * r.c1) / w2;
  r.A = step.u0 - r.c0;
  r.B = (step.v0 - r.c1 + a * r.A) / b;
  r.Derive();
  if (of == CrestOf::Displacement) return r;
  Response acceleration = r;
  acceleration.c0 = -(w2 * r.c0 + 2 * a * r.c1);
  acceleration.c1 = -w2 * r.c1;
  acceleration.A = -(w2 * r.A + 2 * a * r.C);
  acceleration.B = -(w2 * r.B + 2 * a * r.D);
  acceleration.Derive();
  return acceleration;
}

Ends EndsOf(double a, double omega, const CrestStep& step, CrestOf of) {
  const double w2 = omega * omega;
  // Relative acceleration and its rate at both ends, from the equation of motion.
  const double slope = (step.a1 - step.a0) / step.length;
  const double r0 = -(step.a0 + 2 * a * step.v0 + w2 * step.u0);
  const double r1 = -(step.a1 + 2 * a * step.v1 + w2 * step.u1);
  if (of == CrestOf::Displacement) return {step.u0, step.v0, r0, step.u1, step.v1, r1};
  const double j0 = -(slope + 2 * a * r0 + w2 * step.v0);
  const double j1 = -(slope + 2 * a * r1 + w2 * step.v1);
  return {-(w2 * step.u0 + 2 * a * step.v0), -(w2 * step.v0 + 2 * a * r0), -(w2 * r0 + 2 * a * j0),
          -(w2 * step.u1 + 2 * a * step.v1), -(w2 * step.v1 + 2 * a * r1), -(w2 * r1 + 2 * a * j1)};
}

bool Finite(const CrestStep& s) {
  return std::isfinite(s.u0 + s.v0 + s.u1 + s.v1 + s.a0 + s.a1 + s.length);
}

}  // namespace

CrestBound StepCrest::Bound(const CrestStep& step, CrestOf of) const {
  if (!Finite(step)) return {0, 0};
  const double length = step.length;
  const Response r = ResponseOf(a_, b_, omega_, step, of);
  const Ends e = EndsOf(a_, omega_, step, of);
  // The size stays below the larger end of the straight part plus the amplitude R of the
  // oscillating part. And the quantity differs from the cubic through both ends with their
  // slopes by at most its largest fourth derivative times length^4 / 384, that derivative being
  // at most omega^4 R (each derivative of the damped oscillation multiplies its amplitude by
  // omega); so does its derivative from its cubic, by omega times that.
  const double straight = std::max(std::fabs(r.c0), std::fabs(r.c0 + r.c1 * length));
  const double amplitude = std::sqrt(r.A * r.A + r.B * r.B);
  const double wl2 = omega_ * omega_ * length * length;
  const double cubicError = wl2 * wl2 / 384 * amplitude;
  const Range h = CubicRange(e.h0, e.d0 * length, e.h1, e.d1 * length);
  const double cubicLargest = std::max(-h.least, h.largest);
  if (!Opposite(e.d0, e.d1)) {
    // No sign change: a crest needs the derivative to pass zero twice, which its cubic rules
    // out when it keeps clear of zero.
    const Range d = CubicRange(e.d0, e.dd0 * length, e.d1, e.dd1 * length);
    const double derivativeError = omega_ * cubicError;
    if (d.least > derivativeError || d.largest < -derivativeError) return {0, 0};
  }
  return {std::min(straight + amplitude, cubicLargest + cubicError),
          std::max(0.0, cubicLargest - cubicError)};
}

double StepCrest::Largest(const CrestStep& step, CrestOf of) const {
  if (!Finite(step)) return 0;
  const double length = step.length;
  const Response r = ResponseOf(a_, b_, omega_, step, of);
  const Ends e = EndsOf(a_, omega_, step, of);
  constexpr double pi = std::numbers::pi;
  // Shorter than half a damped period and the derivative changes sign: exactly one zero.
  if (b_ * length < pi && Opposite(e.d0, e.d1)) {
    const double zero = CubicZero(e.d0, e.dd0 * length, e.d1, e.dd1 * length);
    return CrestBetween(r, 0, length, e.d0, e.d1, zero < 0 ? -1 : zero * length);
  }
  // Otherwise split at the zeros of the second derivative, b t = theta + k pi: between two of
  // them the derivative is monotone and has at most one zero.
  double theta = std::atan2(-r.E, r.F);
  theta -= pi * std::floor(theta / pi);
  if (theta <= 0) theta += pi;
  double largest = 0;
  double low = 0;
  double dLow = e.d0;
  const double pieces = std::ceil(b_ * length / pi) + 1;
  for (double phase = theta, piece = 0;; phase += pi, ++piece) {
    const bool last = phase / b_ >= length || !(piece < pieces);
    const double high = last ? length : phase / b_;
    const double dHigh = last ? e.d1 : r.At(high).v;
    if (Opposite(dLow, dHigh)) largest = std::max(largest, CrestBetween(r, low, high, dLow, dHigh));
    if (last) break;
    low = high;
    dLow = dHigh;
  }
  return largest;
}

CrestStep StepCrest::FreeVibration(double u0, double v0) const {
  // One damped period holds at least one turn of each quantity; the first crest after the
  // record's end is the largest of the decaying motion.
  const double length = 2 * std::numbers::pi / b_;
  const Response r =
      ResponseOf(a_, b_, omega_, {u0, v0, 0, 0, 0, 0, length}, CrestOf::Displacement);
  const Point end = r.At(length);
  return {u0, v0, end.u, end.v, 0, 0, length};
}

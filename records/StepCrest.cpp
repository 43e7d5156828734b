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

// max |H(s)| for 0 <= s <= 1 of the cubic with H(0) = u0, H'(0) = d0, H(1) = u1, H'(1) = d1.
double CubicLargest(double u0, double d0, double u1, double d1) {
  const double p1 = d0;
  const double p2 = 3 * (u1 - u0) - 2 * d0 - d1;
  const double p3 = 2 * (u0 - u1) + d0 + d1;
  double largest = std::max(std::fabs(u0), std::fabs(u1));
  const auto consider = [&](double s) {
    if (s > 0 && s < 1) largest = std::max(largest, std::fabs(u0 + s * (p1 + s * (p2 + s * p3))));
  };
  // H'(s) = p1 + qb s + qa s^2.
  const double qa = 3 * p3;
  const double qb = 2 * p2;
  if (qa == 0) {
    if (qb != 0) consider(-p1 / qb);
    return largest;
  }
  const double discriminant = qb * qb - 4 * qa * p1;
  if (discriminant < 0) return largest;
  // The two roots, written so that neither loses digits to cancellation.
  const double q = -0.5 * (qb + std::copysign(std::sqrt(discriminant), qb));
  consider(q / qa);
  if (q != 0) consider(p1 / q);
  return largest;
}

}  // namespace

StepCrest::StepCrest(double omega, double damping)
    : omega_(omega), a_(damping * omega), b_(omega * std::sqrt(1 - damping * damping)) {}

double StepCrest::Largest(double u0, double v0, double u1, double v1, double a0, double a1,
                          double length, double atLeast) const {
  Response r{};
  r.a = a_;
  r.b = b_;
  const double w2 = omega_ * omega_;
  r.c1 = -(a1 - a0) / (length * w2);
  r.c0 = (-a0 - 2 * a_ * r.c1) / w2;
  r.A = u0 - r.c0;
  r.B = (v0 - r.c1 + a_ * r.A) / b_;
  // Two bounds without a transcendental function end most calls. |u| stays below the larger
  // end of the straight part plus the amplitude R of the oscillating part. And u differs from
  // the cubic through both ends with their slopes by at most max|u''''| length^4 / 384, where
  // |u''''| <= omega^4 R (each derivative of the damped oscillation multiplies its amplitude by
  // omega).
  const double straight = std::max(std::fabs(r.c0), std::fabs(r.c0 + r.c1 * length));
  const double room = atLeast - straight;
  const double amplitude2 = r.A * r.A + r.B * r.B;
  if (room >= 0 && amplitude2 <= room * room) return atLeast;
  const double wl2 = w2 * length * length;
  const double cubicError = wl2 * wl2 / 384 * std::sqrt(amplitude2);
  if (CubicLargest(u0, v0 * length, u1, v1 * length) + cubicError <= atLeast) return atLeast;
  r.Derive();

  constexpr double pi = std::numbers::pi;
  // Shorter than half a damped period and the velocity changes sign: exactly one zero.
  if (b_ * length < pi && Opposite(v0, v1)) {
    return std::max(atLeast, CrestBetween(r, 0, length, v0, v1));
  }
  // Otherwise split at the zeros of the acceleration, b t = theta + k pi: between two of them
  // the velocity is monotone and has at most one zero.
  double theta = std::atan2(-r.E, r.F);
  theta -= pi * std::floor(theta / pi);
  if (theta <= 0) theta += pi;
  double largest = atLeast;
  double low = 0;
  double vLow = v0;
  for (double phase = theta;; phase += pi) {
    const bool last = phase / b_ >= length;
    const double high = last ? length : phase / b_;
    const double vHigh = last ? v1 : r.At(high).v;
    if (Opposite(vLow, vHigh)) largest = std::max(largest, CrestBetween(r, low, high, vLow, vHigh));
    if (last) break;
    low = high;
    vLow = vHigh;
  }
  return largest;
}

double StepCrest::LargestAfter(double u0, double v0, double length, double atLeast) const {
  // Free vibration: the ends come from the closed form itself.
  Response r{};
  r.a = a_;
  r.b = b_;
  r.A = u0;
  r.B = (v0 + a_ * r.A) / b_;
  r.Derive();
  const Point end = r.At(length);
  return Largest(u0, v0, end.u, end.v, 0, 0, length, atLeast);
}

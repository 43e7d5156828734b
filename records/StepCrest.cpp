#include "records/StepCrest.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// u(t) = c0 + c1 t + exp(-a t) (A cos bt + B sin bt), and its two derivatives, which share the
// form with other constants: v(t) = c1 + exp(-a t) (C cos bt + D sin bt),
// acceleration(t) = exp(-a t) (E cos bt + F sin bt).
struct Response {
  double a, b;
  double c0, c1;
  double A, B, C, D, E, F;

  double Displacement(double t) const {
    return c0 + c1 * t + std::exp(-a * t) * (A * std::cos(b * t) + B * std::sin(b * t));
  }
  double Velocity(double t) const {
    return c1 + std::exp(-a * t) * (C * std::cos(b * t) + D * std::sin(b * t));
  }
  double Acceleration(double t) const {
    return std::exp(-a * t) * (E * std::cos(b * t) + F * std::sin(b * t));
  }
};

// The zero of the velocity in [low, high], where it is monotone and changes sign: Newton steps,
// kept inside the bracket by bisection.
double VelocityZero(const Response& r, double low, double high, double vLow) {
  double t = 0.5 * (low + high);
  for (int iteration = 0; iteration < 60; ++iteration) {
    const double v = r.Velocity(t);
    if (v == 0) return t;
    if ((v < 0) == (vLow < 0)) {
      low = t;
    } else {
      high = t;
    }
    const double slope = r.Acceleration(t);
    double next = slope != 0 ? t - v / slope : low;
    if (!(next > low && next < high)) next = 0.5 * (low + high);
    if (std::fabs(next - t) <= 1e-15 * std::fabs(high) || high - low <= 1e-15 * std::fabs(high)) {
      return next;
    }
    t = next;
  }
  return t;
}

}  // namespace

StepCrest::StepCrest(double omega, double damping)
    : omega_(omega), a_(damping * omega), b_(omega * std::sqrt(1 - damping * damping)) {}

double StepCrest::Largest(double u0, double v0, double a0, double a1, double length,
                          double atLeast) const {
  Response r{};
  r.a = a_;
  r.b = b_;
  const double w2 = omega_ * omega_;
  r.c1 = -(a1 - a0) / (length * w2);
  r.c0 = (-a0 - 2 * a_ * r.c1) / w2;
  r.A = u0 - r.c0;
  r.B = (v0 - r.c1 + a_ * r.A) / b_;
  // |u| stays below the larger end of the straight part plus the amplitude of the oscillating
  // part; most steps end here.
  const double straight = std::max(std::fabs(r.c0), std::fabs(r.c0 + r.c1 * length));
  const double room = atLeast - straight;
  if (room >= 0 && r.A * r.A + r.B * r.B <= room * room) return atLeast;
  r.C = -a_ * r.A + b_ * r.B;
  r.D = -a_ * r.B - b_ * r.A;
  r.E = -a_ * r.C + b_ * r.D;
  r.F = -a_ * r.D - b_ * r.C;

  // The acceleration is zero where b t = theta + k pi; between two such points the velocity is
  // monotone and has at most one zero.
  constexpr double pi = std::numbers::pi;
  double theta = std::atan2(-r.E, r.F);
  theta -= pi * std::floor(theta / pi);
  if (theta <= 0) theta += pi;
  double largest = atLeast;
  double low = 0;
  double vLow = r.Velocity(0);
  for (double phase = theta;; phase += pi) {
    const double high = std::min(phase / b_, length);
    const double vHigh = r.Velocity(high);
    if ((vLow < 0 && vHigh > 0) || (vLow > 0 && vHigh < 0)) {
      const double t = VelocityZero(r, low, high, vLow);
      largest = std::max(largest, std::fabs(r.Displacement(t)));
    } else if (vHigh == 0) {
      largest = std::max(largest, std::fabs(r.Displacement(high)));
    }
    if (high >= length) break;
    low = high;
    vLow = vHigh;
  }
  return largest;
}

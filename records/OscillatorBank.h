#pragma once

#include <cstddef>
#include <span>
#include <vector>

// The constants of a set of damped linear oscillators for one time step, laid out one array per
// constant so that a loop over the oscillators vectorises. The state of an oscillator is its
// scaled displacement x = omega * u and its velocity v (u relative to the ground); one step of
// ground acceleration changing linearly from a0 to a1 moves it exactly:
//   x1 = xx * x0 + xv * v0 + xa0 * a0 + xa1 * a1
//   v1 = vx * x0 + vv * v0 + va0 * a0 + va1 * a1
// The constants are computed once, in extended precision, from the closed-form solution.
class OscillatorBank {
 public:
  // periods in s, each positive; damping ratio 0 <= damping < 1; step in s, positive.
  OscillatorBank(std::span<const double> periods, double damping, double step);

  std::size_t size() const { return omega.size(); }

  double damping;
  double step;
  std::vector<double> omega;         // circular frequency
  std::vector<double> twoZetaOmega;  // 2 * damping * omega
  // omega * step for oscillators whose step is shorter than half a damped period, 0 for the
  // others, which are also listed in fast.
  std::vector<double> crestReach;
  std::vector<std::size_t> fast;
  std::vector<double> xx, xv, xa0, xa1;
  std::vector<double> vx, vv, va0, va1;
};

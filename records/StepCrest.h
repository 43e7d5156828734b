// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One step of one oscillator: displacement and velocity at its start and end, ground
// acceleration at both ends (linear in between) and its duration in s.
struct CrestStep {
  double u0, v0, u1, v1, a0, a1, length;
};

// Bounds on the crests inside a step: no crest's size exceeds upper (0 when the step has none),
// and the response certainly reaches lower somewhere in the step.
struct CrestBound {
  double upper;
  double lower;
};

// Whose crests: the relative displacement u, or the absolute acceleration
// -(omega^2 u + 2 damping omega v), which peaks elsewhere than u once there is damping.
enum class CrestOf { Displacement, Acceleration };

// The turning points of one damped linear oscillator inside one step of ground acceleration
// that changes linearly, from the closed-form solution. Used where the sampled response may
// miss a crest between two time points. Sizes are |u|, or |absolute acceleration| in the unit
// of the ground acceleration.
class StepCrest {
 public:
  StepCrest(double omega, double damping);

  // Cheap bounds, without a transcendental function.
  CrestBound Bound(const CrestStep& step, CrestOf of) const;
  // The largest size at a point inside the step where the quantity turns; 0 when it does not.
  double Largest(const CrestStep& step, CrestOf of) const;
  // The step of free vibration, one damped period long, that follows a record ending in u0, v0.
  CrestStep FreeVibration(double u0, double v0) const;

 private:
  double omega_;
  double a_;  // damping * omega
  double b_;  // damped circular frequency
};

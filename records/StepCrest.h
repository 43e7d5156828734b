#pragma once

// The turning points of one damped linear oscillator inside one step of ground acceleration
// that changes linearly from a0 to a1, from the closed-form solution. Used where the sampled
// response may miss a crest between two time points.
class StepCrest {
 public:
  StepCrest(double omega, double damping);

  // The largest |u| at a point inside the step where the velocity is zero, when it exceeds
  // atLeast; otherwise atLeast. u0, v0 and u1, v1 are the displacement and velocity at the
  // start and at the end of the step, length its duration (s).
  double Largest(double u0, double v0, double u1, double v1, double a0, double a1, double length,
                 double atLeast) const;
  // The same for free vibration from u0, v0 over the given length.
  double LargestAfter(double u0, double v0, double length, double atLeast) const;

 private:
  double omega_;
  double a_;  // damping * omega
  double b_;  // damped circular frequency
};

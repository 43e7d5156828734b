// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// One ground-acceleration record at a constant time step, as read from a file. The ground is at
// rest before the first value and after the last; between two values it changes linearly.
struct GroundMotion {
  std::string name;                  // the file name it was read from, for messages and lists
  double step = 0;                   // time step in s, positive
  std::vector<double> acceleration;  // in g, at least one value
  std::string description;           // what the file says the record is (event, station, ...)
};

// Largest absolute acceleration in g.
double PeakAcceleration(const GroundMotion& motion);

// Time from the first to the last value in s.
double Duration(const GroundMotion& motion);

// Time from the first to the last value whose magnitude reaches the given fraction of the peak,
// in s; 0 for a record without motion.
double EffectiveDuration(const GroundMotion& motion, double fractionOfPeak = 0.1);

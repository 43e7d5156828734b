// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

// The periods around a structure's main periods over which a record set's mean should follow
// the design spectrum's shape, not only at the main periods themselves.
struct ShapeBand {
  double low = 0;   // s
  double high = 0;  // s
};

// From 0.2 times the shortest main period to 1.5 times the longest (the fundamental period),
// both rounded to the nearest 0.01 s and kept within 0.05 to 6 s. The periods must be positive.
ShapeBand DefaultShapeBand(const std::vector<double>& mainPeriods);

// The periods of the fine grid (multiples of 0.01 s) from low to high, both included. Throws
// std::invalid_argument when the band is not within 0 to 6 s, low is above high, or it holds
// no such period.
std::vector<double> ShapeBandPeriods(const ShapeBand& band);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

// The choice of a record set reduced to numbers, for the search: n candidates, sets of count.
// Sums over a set's members are always taken in increasing candidate order, so that every path
// to a set (enumeration, exchange, a fresh score) gives the same bits.
struct SetProblem {
  std::size_t candidates = 0;
  std::size_t count = 0;
  std::size_t mainCount = 0;
  std::size_t bandCount = 0;
  std::vector<double> main;        // candidates x mainCount: scaled PSA at the main periods, g
  std::vector<double> mainDesign;  // design Sa at the main periods, g
  std::vector<double> band;        // candidates x bandCount: scaled PSA over design Sa
  std::vector<char> real;          // per candidate
  std::vector<char> required;      // per candidate
  double tolerance = 0.2;
  std::size_t minimumReal = 0;  // real members that a passing set needs
  bool sizeAllowed = true;      // whether a set of count records may pass at all

  const double* BandRow(std::size_t i) const { return band.data() + i * bandCount; }
  const double* MainRow(std::size_t i) const { return main.data() + i * mainCount; }
};

// A set and where it stands in the order of sets.
struct SetScore {
  bool passes = false;
  double bandSquares = std::numeric_limits<double>::infinity();  // sum of squared deviations
  double worstMain = 0;                // largest |relative deviation| at the main periods
  std::vector<std::uint32_t> members;  // increasing
};

// The order of sets: passing sets first, then the smaller band deviation, then the smaller
// worst main-period deviation, then the set whose members come first in the candidates' order.
bool Better(const SetScore& a, const SetScore& b);

// Sum over the band of (sums[p] * inverseCount - 1)^2 with the terms of sums + add (add may be
// null), in a fixed order; stops early and gives a value above limit once the sum passes it.
double BandSquares(const double* sums, const double* add, std::size_t bandCount,
                   double inverseCount, double limit = std::numeric_limits<double>::infinity());

// Whether the mean main-period PSA (sum / count) lies within the tolerance of every design
// value, the boundary included as the check includes it; worst gets the largest |deviation|.
bool MainPeriodsPass(const SetProblem& problem, const double* mainSums, std::size_t count,
                     double& worst);

// The score of a set from its members (increasing).
SetScore ScoreSet(const SetProblem& problem, std::span<const std::uint32_t> members);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "records/SetProblem.h"

struct SearchLimits {
  double seconds = 10;    // the whole search, enumeration included
  unsigned threads = 0;   // 0: every core
  std::size_t keep = 6;   // the best set and its alternatives
  bool enumerate = true;  // false: the exchange search alone, to measure it
};

struct SearchOutcome {
  std::vector<SetScore> sets;  // best first
  bool exhaustive = false;     // every set was scored: the sets are the true best ones
  double setCount = 0;         // the sets there are
  std::uint64_t evaluated = 0;
  std::size_t starts = 0;  // of the exchange search; 0 when it did not run
  // When not exhaustive: no set has a smaller band sum of squared deviations than this.
  std::optional<double> lowerBound;
  bool cancelled = false;
};

// The best sets in the order of Better. Sets that can be enumerated within the time are
// enumerated on every core; otherwise a greedy choice from several starts is improved by single
// exchanges until none improves, and a lower bound from the continuous relaxation says how far
// it may be from the best. carryOn, when given, is asked now and then on the calling thread;
// false cancels (the sets found so far are given).
SearchOutcome SearchSets(const SetProblem& problem, const SearchLimits& limits,
                         const std::function<bool()>& carryOn = {});

// The number of sets of k out of n, as a double (it may be huge).
double SetCount(std::size_t n, std::size_t k);

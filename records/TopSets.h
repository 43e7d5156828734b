// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

#include "records/SetProblem.h"

// The best sets seen so far, at most a given number, best first, each set once.
class TopSets {
 public:
  explicit TopSets(std::size_t keep) : keep_(keep) {}

  // Whether a set with these leading keys could enter: a quick test before it is scored in full.
  bool MayEnter(bool passes, double bandSquares) const;
  // The band limit above which a set that passes as given cannot enter.
  double SquaresLimit(bool passes) const;
  void Offer(SetScore score);
  void Merge(const TopSets& other);

  const std::vector<SetScore>& Sets() const { return sets_; }
  bool Full() const { return sets_.size() >= keep_; }

 private:
  std::size_t keep_;
  std::vector<SetScore> sets_;
};

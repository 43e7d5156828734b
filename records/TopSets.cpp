// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/TopSets.h"

#include <algorithm>
#include <limits>

bool TopSets::MayEnter(bool passes, double bandSquares) const {
  if (!Full()) return true;
  const SetScore& worst = sets_.back();
  if (worst.passes != passes) return passes;
  return bandSquares <= worst.bandSquares;
}

double TopSets::SquaresLimit(bool passes) const {
  if (!Full()) return std::numeric_limits<double>::infinity();
  const SetScore& worst = sets_.back();
  if (worst.passes != passes) return passes ? std::numeric_limits<double>::infinity() : -1.0;
  return worst.bandSquares;
}

void TopSets::Offer(SetScore score) {
  if (keep_ == 0) return;
  if (Full() && !Better(score, sets_.back())) return;
  for (const SetScore& set : sets_) {
    if (set.members == score.members) return;
  }
  const auto at = std::upper_bound(sets_.begin(), sets_.end(), score, Better);
  sets_.insert(at, std::move(score));
  if (sets_.size() > keep_) sets_.pop_back();
}

void TopSets::Merge(const TopSets& other) {
  for (const SetScore& set : other.sets_) Offer(set);
}

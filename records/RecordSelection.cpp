// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordSelection.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>
#include <string>

#include "records/SetSearch.h"
#include "records/ShortestNumber.h"

namespace {

// The shortest effective duration, in fundamental periods, as the check asks.
constexpr double kDurationPeriods = 5;
// A share given as 2/3 must not ask for one record more through its rounding.
constexpr double kShareSlack = 1e-9;
constexpr std::size_t kMostAlternatives = 1000;

double DesignSa(const DesignSpectrum& design, double period) {
  double sa = 0;
  if (design.GetSa(period, sa) != 0 || !(sa > 0)) {
    throw std::invalid_argument("The design spectrum has no positive value at " +
                                ShortestNumber(period, ".") + " s to compare with.");
  }
  return sa;
}

void RefuseBadSettings(const std::vector<CandidateSpectrum>& candidates,
                       const SelectionSettings& s) {
  if (const auto problem = CheckSettingsProblem(s.check, ".")) {
    throw std::invalid_argument(problem->message);
  }
  if (s.count < 1) throw std::invalid_argument("The set needs at least one record.");
  if (!(s.realShare >= 2.0 / 3 - kShareSlack && s.realShare <= 1)) {
    throw std::invalid_argument("The share of real records must be from two thirds to 1.");
  }
  if (s.bandPeriods.empty()) throw std::invalid_argument("The shape band holds no period.");
  if (!(s.timeLimit > 0 && std::isfinite(s.timeLimit))) {
    throw std::invalid_argument("The time limit must be a positive number of seconds.");
  }
  if (s.alternatives > kMostAlternatives) {
    throw std::invalid_argument("At most " + std::to_string(kMostAlternatives) +
                                " alternatives can be listed.");
  }
  if (s.required.size() > s.count) {
    throw std::invalid_argument("More records are required than the set holds.");
  }
  std::set<std::size_t> seen;
  for (const std::size_t i : s.required) {
    if (i >= candidates.size())
      throw std::invalid_argument("A required record is not a candidate.");
    if (!seen.insert(i).second) {
      throw std::invalid_argument("The record " + candidates[i].name + " is required twice.");
    }
  }
  const std::size_t periods = s.check.periods.size() + s.bandPeriods.size();
  for (const CandidateSpectrum& c : candidates) {
    if (c.psa.size() != periods) {
      throw std::invalid_argument("The record " + c.name + " has " + std::to_string(c.psa.size()) +
                                  " PSA values for " + std::to_string(periods) + " periods.");
    }
  }
}

std::string LeftOutText(const CandidateSpectrum& c, LeftOutReason reason, double minimum) {
  if (reason == LeftOutReason::ShortDuration) {
    return "its effective duration " + ShortestNumber(c.effectiveDuration, ".") + " s is below " +
           ShortestNumber(minimum, ".") + " s (5 T1)";
  }
  return "its scale factor " + ShortestNumber(c.scaleFactor, ".") + " is outside the scale band";
}

}  // namespace

std::vector<double> SelectionPeriods(const SelectionSettings& settings) {
  std::vector<double> periods = settings.check.periods;
  periods.insert(periods.end(), settings.bandPeriods.begin(), settings.bandPeriods.end());
  return periods;
}

SelectionResult SelectRecords(const std::vector<CandidateSpectrum>& candidates,
                              const DesignSpectrum& design, const SelectionSettings& settings,
                              const std::function<bool()>& carryOn) {
  RefuseBadSettings(candidates, settings);
  SelectionResult result;
  result.minimumDuration = kDurationPeriods * FundamentalPeriod(settings.check.periods);
  const std::set<std::size_t> required(settings.required.begin(), settings.required.end());

  std::vector<std::size_t> eligible;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    const CandidateSpectrum& c = candidates[i];
    std::optional<LeftOutReason> reason;
    if (c.effectiveDuration < result.minimumDuration) {
      reason = LeftOutReason::ShortDuration;
      ++result.shortCount;
    } else if (!(c.scaleFactor >= settings.check.scaleBand.low &&
                 c.scaleFactor <= settings.check.scaleBand.high)) {
      reason = LeftOutReason::ScaleFactor;
      ++result.scaleCount;
    }
    if (!reason) {
      eligible.push_back(i);
      continue;
    }
    if (required.count(i) > 0) {
      throw std::invalid_argument("The required record " + c.name + " is left out: " +
                                  LeftOutText(c, *reason, result.minimumDuration) + ".");
    }
    result.leftOut.push_back({i, *reason});
  }
  if (eligible.size() < settings.count) {
    throw std::invalid_argument(
        std::to_string(eligible.size()) + " of the " + std::to_string(candidates.size()) +
        " records remain (" + std::to_string(result.shortCount) +
        " left out for an effective duration below 5 T1, " + std::to_string(result.scaleCount) +
        " for a scale factor outside the scale band): too few for a set of " +
        std::to_string(settings.count) + ".");
  }

  SetProblem problem;
  problem.candidates = eligible.size();
  problem.count = settings.count;
  problem.mainCount = settings.check.periods.size();
  problem.bandCount = settings.bandPeriods.size();
  problem.tolerance = settings.check.tolerance;
  result.minimumReal = static_cast<std::size_t>(
      std::ceil(settings.realShare * static_cast<double>(settings.count) - kShareSlack));
  problem.minimumReal = result.minimumReal;
  problem.sizeAllowed = SetRuleFor(settings.count) != SetRule::TooFew;
  for (const double t : settings.check.periods) problem.mainDesign.push_back(DesignSa(design, t));
  std::vector<double> bandDesign;
  for (const double t : settings.bandPeriods) bandDesign.push_back(DesignSa(design, t));
  for (const std::size_t i : eligible) {
    const std::vector<double>& psa = candidates[i].psa;
    problem.main.insert(problem.main.end(), psa.begin(),
                        psa.begin() + static_cast<std::ptrdiff_t>(problem.mainCount));
    for (std::size_t p = 0; p < problem.bandCount; ++p) {
      problem.band.push_back(psa[problem.mainCount + p] / bandDesign[p]);
    }
    problem.real.push_back(candidates[i].real ? 1 : 0);
    problem.required.push_back(required.count(i) > 0 ? 1 : 0);
  }

  SearchLimits limits;
  limits.seconds = settings.timeLimit;
  limits.threads = settings.threads;
  limits.keep = settings.alternatives + 1;
  limits.enumerate = settings.enumerate;
  const SearchOutcome outcome = SearchSets(problem, limits, carryOn);
  result.proven = outcome.exhaustive;
  result.setCount = outcome.setCount;
  result.evaluated = outcome.evaluated;
  result.starts = outcome.starts;
  result.cancelled = outcome.cancelled;
  if (outcome.lowerBound) {
    result.bandRmsBound = std::sqrt(*outcome.lowerBound / static_cast<double>(problem.bandCount));
  }
  for (const SetScore& score : outcome.sets) {
    SelectedSet set;
    std::vector<CheckRecord> records;
    std::size_t real = 0;
    for (const std::uint32_t k : score.members) {
      const CandidateSpectrum& c = candidates[eligible[k]];
      set.members.push_back(eligible[k]);
      const auto mainEnd = c.psa.begin() + static_cast<std::ptrdiff_t>(problem.mainCount);
      records.push_back({c.name, std::vector<double>(c.psa.begin(), mainEnd), c.effectiveDuration,
                         c.real, c.scaleFactor, c.peakAcceleration});
      real += c.real ? 1 : 0;
    }
    set.check = CheckCompatibility(records, design, settings.check);
    set.passes = set.check.passes && real >= result.minimumReal;
    set.bandRms = std::sqrt(score.bandSquares / static_cast<double>(problem.bandCount));
    set.worstMainDeviation = score.worstMain;
    result.sets.push_back(std::move(set));
  }
  return result;
}

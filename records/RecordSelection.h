// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "model/DesignSpectrum.h"
#include "records/CompatibilityCheck.h"
#include "records/LibrarySpectra.h"

struct SelectionSettings {
  // The check's main periods (the longest is T1), tolerance and scale band; a candidate scaled
  // outside the band is left out.
  CheckSettings check;
  std::size_t count = 7;              // records in the set
  double realShare = 2.0 / 3;         // at least two thirds, as the code asks
  std::vector<std::size_t> required;  // candidates that must be in the set
  std::vector<double> bandPeriods;    // the shape band (see ShapeBand)
  double timeLimit = 10;              // s
  std::size_t alternatives = 5;       // next-best sets after the best
  unsigned threads = 0;               // 0: every core
  bool enumerate = true;              // false: the exchange search alone, to measure it
};

// The periods at which the candidates' PSA is needed, in the order CandidateSpectrum::psa
// holds them: the main periods, then the shape band's.
std::vector<double> SelectionPeriods(const SelectionSettings& settings);

enum class LeftOutReason { ShortDuration, ScaleFactor };

struct LeftOut {
  std::size_t candidate = 0;
  LeftOutReason reason = LeftOutReason::ShortDuration;
};

struct SelectedSet {
  std::vector<std::size_t> members;  // candidates, in their order
  bool passes = false;               // the check passes and the real share is met
  double bandRms = 0;                // RMS of the mean's relative deviation over the shape band
  double worstMainDeviation = 0;     // largest |relative deviation| at the main periods
  CheckResult check;
};

struct SelectionResult {
  std::vector<SelectedSet> sets;  // the best set, then the alternatives
  std::vector<LeftOut> leftOut;
  std::size_t shortCount = 0;  // left out for a short effective duration
  std::size_t scaleCount = 0;  // left out for a scale factor outside the band
  double minimumDuration = 0;  // 5 T1, s
  std::size_t minimumReal = 0;
  bool proven = false;  // every set was compared: the best set is the best there is
  double setCount = 0;
  std::uint64_t evaluated = 0;
  std::size_t starts = 0;
  std::optional<double> bandRmsBound;  // when not proven: no set has a smaller band RMS
  bool cancelled = false;
};

// Chooses the best set of settings.count among the candidates (whose psa are at
// SelectionPeriods): passing sets before the others, then the smaller band RMS, then the
// smaller worst main-period deviation, then the candidates given first. Throws
// std::invalid_argument with the user's message for settings it cannot work with, a required
// candidate that is left out, or fewer candidates left than the set needs.
SelectionResult SelectRecords(const std::vector<CandidateSpectrum>& candidates,
                              const DesignSpectrum& design, const SelectionSettings& settings,
                              const std::function<bool()>& carryOn = {});

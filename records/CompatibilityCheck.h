// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/DesignSpectrum.h"
#include "records/CheckSettings.h"
#include "records/GroundMotion.h"

// One record of the set as the check sees it.
struct CheckRecord {
  std::string name;
  std::vector<double> psa;       // scaled PSA at each main period, g
  double effectiveDuration = 0;  // s
  bool real = true;              // a recorded motion; false for an artificial one
  double scaleFactor = 1;        // the factor the PSA carries
  double peakAcceleration = 0;   // as read, before scaling, g
};

struct PeriodCheck {
  double period = 0;
  std::vector<double> psa;  // each record's, g
  double mean = 0;          // g
  double design = 0;        // alpha = Sa of the design spectrum, g
  double deviationPercent = 0;
  bool passes = false;  // |deviation| within the tolerance, the boundary included
};

struct RecordCheck {
  std::string name;
  double effectiveDuration = 0;  // s
  bool real = true;
  bool tooShort = false;  // effective duration below 5 * T1
  double scaleFactor = 1;
  double peakAcceleration = 0;    // as read, g
  bool scaleOutsideBand = false;  // a warning, not a failure
};

// What the code makes of the number of records: fewer than three are not a set; three to six
// are judged by the envelope of the results; seven and more by their mean.
enum class SetRule { TooFew, Envelope, Mean };

// Records a set needs at least, and from how many on the mean of the results may be used.
inline constexpr std::size_t kLeastRecords = 3;
inline constexpr std::size_t kRecordsForMean = 7;

SetRule SetRuleFor(std::size_t records);

// The shortest effective duration the records need for these main periods: 5 * T1, s (0 for
// no periods).
double MinimumEffectiveDuration(const std::vector<double>& periods);

struct CheckResult {
  std::vector<PeriodCheck> periods;  // in the order the main periods were given
  std::vector<RecordCheck> records;
  double tolerance = 0.2;  // the settings checked against
  ScaleBand scaleBand;
  double fundamentalPeriod = 0;  // T1, the longest main period, s
  double minimumDuration = 0;    // 5 * T1, s
  std::size_t realCount = 0;
  std::size_t artificialCount = 0;
  bool tooFewReal = false;  // real records fewer than two thirds of the set
  SetRule setRule = SetRule::TooFew;
  std::vector<std::size_t> failingPeriods;  // indices into periods
  std::vector<std::size_t> shortRecords;    // indices into records
  std::vector<std::size_t> scaleWarnings;   // indices into records: factor outside the band
  // Every period passes, no record too short, enough real records, at least three records.
  bool passes = false;
};

// The check of a record set against a design spectrum. Throws std::invalid_argument for an
// empty set, settings CheckSettingsProblem refuses, or a record whose PSA list does not match
// the periods.
CheckResult CheckCompatibility(const std::vector<CheckRecord>& records,
                               const DesignSpectrum& design, const CheckSettings& settings);

// A record's entry for the check: its PSA at the periods (scale factor applied, damping as for
// the spectra) and its effective duration. May run on any thread.
CheckRecord MakeCheckRecord(const GroundMotion& motion, double scaleFactor, bool real,
                            const std::vector<double>& periods, double damping);

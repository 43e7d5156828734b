#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/DesignSpectrum.h"
#include "records/GroundMotion.h"

// One record of the set as the check sees it.
struct CheckRecord {
  std::string name;
  std::vector<double> psa;       // scaled PSA at each main period, g
  double effectiveDuration = 0;  // s
  bool real = true;              // a recorded motion; false for an artificial one
};

struct CheckOptions {
  std::vector<double> periods;  // main periods T1..Tn in s, 0 < T <= 6; T1 the fundamental
  double tolerance = 0.2;       // allowed deviation of the mean from the design value
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
};

struct CheckResult {
  std::vector<PeriodCheck> periods;
  std::vector<RecordCheck> records;
  double minimumDuration = 0;  // 5 * T1, s
  std::size_t realCount = 0;
  std::size_t artificialCount = 0;
  bool tooFewReal = false;  // real records fewer than two thirds of the set
  bool passes = false;      // every period passes, no record too short, enough real records
};

// The check of a record set against a design spectrum. Throws std::invalid_argument for an
// empty set, no or bad periods, a tolerance that is not positive, or a record whose PSA list
// does not match the periods.
CheckResult CheckCompatibility(const std::vector<CheckRecord>& records,
                               const DesignSpectrum& design, const CheckOptions& options);

// A record's entry for the check: its PSA at the periods (scale factor applied, damping as for
// the spectra) and its effective duration. May run on any thread.
CheckRecord MakeCheckRecord(const GroundMotion& motion, double scaleFactor, bool real,
                            const std::vector<double>& periods, double damping);

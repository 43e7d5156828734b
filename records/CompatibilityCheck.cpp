#include "records/CompatibilityCheck.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "records/ResponseSpectrum.h"

namespace {

// The shortest effective duration, in fundamental periods.
constexpr double kDurationPeriods = 5;
// A mean exactly on the tolerance boundary passes; the slack absorbs the rounding of the mean
// and of the product so that a deviation printed as exactly 20 % is not failed.
constexpr double kBoundarySlack = 1e-12;

void CheckInputs(const std::vector<CheckRecord>& records, const CheckOptions& options) {
  if (records.empty()) throw std::invalid_argument("The check needs at least one record.");
  if (options.periods.empty()) throw std::invalid_argument("The check needs a main period.");
  for (const double t : options.periods) {
    if (!(t > 0 && t <= 6)) {
      throw std::invalid_argument("Each main period must be above 0 and at most 6 s.");
    }
  }
  if (!(options.tolerance > 0) || !std::isfinite(options.tolerance)) {
    throw std::invalid_argument("The tolerance must be a positive number.");
  }
  for (const CheckRecord& record : records) {
    if (record.psa.size() != options.periods.size()) {
      throw std::invalid_argument("The record " + record.name + " has " +
                                  std::to_string(record.psa.size()) + " PSA values for " +
                                  std::to_string(options.periods.size()) + " periods.");
    }
  }
}

PeriodCheck CheckPeriod(const std::vector<CheckRecord>& records, const DesignSpectrum& design,
                        std::size_t index, double period, double tolerance) {
  PeriodCheck check;
  check.period = period;
  double sum = 0;
  for (const CheckRecord& record : records) {
    check.psa.push_back(record.psa[index]);
    sum += record.psa[index];
  }
  check.mean = sum / static_cast<double>(records.size());
  design.GetSa(period, check.design);  // the period is within 0..6 s, checked above
  const double difference = check.mean - check.design;
  if (check.design > 0) {
    check.deviationPercent = difference / check.design * 100;
  } else {
    check.deviationPercent = difference == 0 ? 0 : std::numeric_limits<double>::infinity();
  }
  check.passes = std::fabs(difference) <= tolerance * check.design * (1 + kBoundarySlack);
  return check;
}

}  // namespace

CheckResult CheckCompatibility(const std::vector<CheckRecord>& records,
                               const DesignSpectrum& design, const CheckOptions& options) {
  CheckInputs(records, options);
  CheckResult result;
  bool periodsPass = true;
  for (std::size_t i = 0; i < options.periods.size(); ++i) {
    result.periods.push_back(
        CheckPeriod(records, design, i, options.periods[i], options.tolerance));
    periodsPass = periodsPass && result.periods.back().passes;
  }
  result.minimumDuration = kDurationPeriods * options.periods.front();
  bool durationsPass = true;
  for (const CheckRecord& record : records) {
    const bool tooShort = record.effectiveDuration < result.minimumDuration;
    result.records.push_back({record.name, record.effectiveDuration, record.real, tooShort});
    durationsPass = durationsPass && !tooShort;
    ++(record.real ? result.realCount : result.artificialCount);
  }
  result.tooFewReal = 3 * result.realCount < 2 * records.size();
  result.passes = periodsPass && durationsPass && !result.tooFewReal;
  return result;
}

CheckRecord MakeCheckRecord(const GroundMotion& motion, double scaleFactor, bool real,
                            const std::vector<double>& periods, double damping) {
  if (periods.empty()) throw std::invalid_argument("The check needs a main period.");
  SpectrumOptions options;
  options.periods = periods;
  options.damping = damping;
  const ResponseSpectrum spectrum = Scaled(*ComputeSpectrum(motion, options), scaleFactor);
  return {motion.name, spectrum.psa, EffectiveDuration(motion), real};
}

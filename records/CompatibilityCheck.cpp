// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/CompatibilityCheck.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

#include "records/ResponseSpectrum.h"

namespace {

// The shortest effective duration, in fundamental periods.
constexpr double kDurationPeriods = 5;
// A mean exactly on the tolerance boundary passes; the slack absorbs the rounding of the mean
// and of the product so that a deviation printed as exactly 20 % is not failed.
constexpr double kBoundarySlack = 1e-12;

void CheckInputs(const std::vector<CheckRecord>& records, const CheckSettings& settings) {
  if (records.empty()) throw std::invalid_argument("The check needs at least one record.");
  if (const auto problem = CheckSettingsProblem(settings, ".")) {
    throw std::invalid_argument(problem->message);
  }
  for (const CheckRecord& record : records) {
    if (record.psa.size() != settings.periods.size()) {
      throw std::invalid_argument("The record " + record.name + " has " +
                                  std::to_string(record.psa.size()) + " PSA values for " +
                                  std::to_string(settings.periods.size()) + " periods.");
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

SetRule SetRuleFor(std::size_t records) {
  if (records < kLeastRecords) return SetRule::TooFew;
  return records < kRecordsForMean ? SetRule::Envelope : SetRule::Mean;
}

double MinimumEffectiveDuration(const std::vector<double>& periods) {
  return kDurationPeriods * FundamentalPeriod(periods);
}

CheckResult CheckCompatibility(const std::vector<CheckRecord>& records,
                               const DesignSpectrum& design, const CheckSettings& settings) {
  CheckInputs(records, settings);
  CheckResult result;
  result.tolerance = settings.tolerance;
  result.scaleBand = settings.scaleBand;
  for (std::size_t i = 0; i < settings.periods.size(); ++i) {
    result.periods.push_back(
        CheckPeriod(records, design, i, settings.periods[i], settings.tolerance));
    if (!result.periods.back().passes) result.failingPeriods.push_back(i);
  }
  result.fundamentalPeriod = FundamentalPeriod(settings.periods);
  result.minimumDuration = MinimumEffectiveDuration(settings.periods);
  for (std::size_t r = 0; r < records.size(); ++r) {
    const CheckRecord& record = records[r];
    RecordCheck check;
    check.name = record.name;
    check.effectiveDuration = record.effectiveDuration;
    check.real = record.real;
    check.tooShort = record.effectiveDuration < result.minimumDuration;
    check.scaleFactor = record.scaleFactor;
    check.peakAcceleration = record.peakAcceleration;
    check.scaleOutsideBand = !(record.scaleFactor >= settings.scaleBand.low &&
                               record.scaleFactor <= settings.scaleBand.high);
    if (check.tooShort) result.shortRecords.push_back(r);
    if (check.scaleOutsideBand) result.scaleWarnings.push_back(r);
    ++(record.real ? result.realCount : result.artificialCount);
    result.records.push_back(std::move(check));
  }
  result.tooFewReal = 3 * result.realCount < 2 * records.size();
  result.setRule = SetRuleFor(records.size());
  result.passes = result.failingPeriods.empty() && result.shortRecords.empty() &&
                  !result.tooFewReal && result.setRule != SetRule::TooFew;
  return result;
}

CheckRecord MakeCheckRecord(const GroundMotion& motion, double scaleFactor, bool real,
                            const std::vector<double>& periods, double damping) {
  if (periods.empty()) throw std::invalid_argument("The check needs a main period.");
  SpectrumOptions options;
  options.periods = periods;
  options.damping = damping;
  const ResponseSpectrum spectrum = Scaled(*ComputeSpectrum(motion, options), scaleFactor);
  return {motion.name, spectrum.psa, EffectiveDuration(motion),
          real,        scaleFactor,  PeakAcceleration(motion)};
}

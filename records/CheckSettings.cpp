// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/CheckSettings.h"

#include <algorithm>

#include "records/ShortestNumber.h"

double FundamentalPeriod(const std::vector<double>& periods) {
  return periods.empty() ? 0 : *std::max_element(periods.begin(), periods.end());
}

std::optional<std::string> MainPeriodProblem(double seconds, std::string_view decimalSeparator) {
  if (seconds >= kShortestMainPeriod && seconds <= kLongestMainPeriod) return std::nullopt;
  return "Main periods must be at least " + ShortestNumber(kShortestMainPeriod, decimalSeparator) +
         " s and at most " + ShortestNumber(kLongestMainPeriod, decimalSeparator) + " s.";
}

std::optional<std::string> ToleranceProblem(double fraction, std::string_view decimalSeparator) {
  if (fraction > 0 && fraction < kToleranceBound) return std::nullopt;
  return "Tolerance must be greater than 0 % and less than " +
         ShortestNumber(kToleranceBound * 100, decimalSeparator) + " %.";
}

std::optional<std::string> TargetPgaProblem(double gal, std::string_view decimalSeparator) {
  if (gal > 0 && gal <= kMostTargetPga) return std::nullopt;
  return "Target PGA must be greater than 0 cm/s2 and at most " +
         ShortestNumber(kMostTargetPga, decimalSeparator) + " cm/s2 (10 g).";
}

std::optional<std::string> ScaleBandProblem(const ScaleBand& band,
                                            std::string_view decimalSeparator) {
  if (band.low > 0 && band.low < band.high && band.high <= kMostScaleBound) return std::nullopt;
  return "The scale factor band needs a low bound above 0 and below its high bound, and a high "
         "bound of at most " +
         ShortestNumber(kMostScaleBound, decimalSeparator) + ".";
}

std::optional<CheckSettingProblem> CheckSettingsProblem(const CheckSettings& settings,
                                                        std::string_view decimalSeparator) {
  if (settings.periods.empty()) {
    return CheckSettingProblem{CheckSetting::MainPeriods, "The check needs a main period."};
  }
  for (const double period : settings.periods) {
    if (auto message = MainPeriodProblem(period, decimalSeparator)) {
      return CheckSettingProblem{CheckSetting::MainPeriods, std::move(*message)};
    }
  }
  if (auto message = ToleranceProblem(settings.tolerance, decimalSeparator)) {
    return CheckSettingProblem{CheckSetting::Tolerance, std::move(*message)};
  }
  if (auto message = ScaleBandProblem(settings.scaleBand, decimalSeparator)) {
    return CheckSettingProblem{CheckSetting::ScaleBand, std::move(*message)};
  }
  return std::nullopt;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The settings of the compatibility check and their limits, shared by the records window and
// the command line so that both accept and refuse the same values with the same messages.
// Messages write numbers with the decimal separator they are given.

// Scale factors outside this band are flagged: a record scaled far from what it recorded is
// a doubtful stand-in for a motion of the target's size. Not a failure of the set.
struct ScaleBand {
  double low = 0.25;
  double high = 4;
};

struct CheckSettings {
  std::vector<double> periods;  // the structure's main periods in s, in any order
  double tolerance = 0.2;       // allowed deviation of the mean from the design value, a fraction
  ScaleBand scaleBand;
};

// The setting a problem belongs to, so a window can put the focus on its field.
enum class CheckSetting { MainPeriods, Tolerance, TargetPga, ScaleBand };

struct CheckSettingProblem {
  CheckSetting setting;
  std::string message;
};

// Main periods lie within these bounds, s: the shortest period the records' spectra are
// computed at, and the end of the design spectrum.
inline constexpr double kShortestMainPeriod = 0.001;
inline constexpr double kLongestMainPeriod = 6;
// The tolerance is above 0 and below this fraction (100 %).
inline constexpr double kToleranceBound = 1;
// The target peak ground acceleration is above 0 and at most this, cm/s2 (10 g): far beyond any
// recorded motion, and small enough that every scaled value stays a number.
inline constexpr double kMostTargetPga = 9806.65;
// The scale band's low bound is above 0 and below its high bound, which is at most this.
inline constexpr double kMostScaleBound = 1000;

// The structure's fundamental period: the longest of the main periods (0 for none).
double FundamentalPeriod(const std::vector<double>& periods);

// Each gives the message for a value outside its limits, or nothing for a good value.
std::optional<std::string> MainPeriodProblem(double seconds, std::string_view decimalSeparator);
std::optional<std::string> ToleranceProblem(double fraction, std::string_view decimalSeparator);
std::optional<std::string> TargetPgaProblem(double gal, std::string_view decimalSeparator);
std::optional<std::string> ScaleBandProblem(const ScaleBand& band,
                                            std::string_view decimalSeparator);

// The first problem of the settings, in the order periods (none given, then each), tolerance,
// scale band; nothing when all are good.
std::optional<CheckSettingProblem> CheckSettingsProblem(const CheckSettings& settings,
                                                        std::string_view decimalSeparator);

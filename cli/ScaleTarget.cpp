// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ScaleTarget.h"

#include <stdexcept>
#include <string>

#include "cli/CliError.h"
#include "cli/OptionNumber.h"
#include "cli/SelectionChoices.h"
#include "records/CheckSettings.h"
#include "records/RecordScaling.h"

double ReadTargetPga(std::string_view text) {
  const double target = ReadOptionNumber("--target-pga", text);
  if (const auto problem = TargetPgaProblem(target, ".")) {
    throw CliError(kExitUsage, "--target-pga: " + *problem);
  }
  return target;
}

double ReadScaleTo(std::string_view text) {
  const std::size_t comma = text.find(',');
  const auto intensity = ChoiceIndex(Column::Pga, text.substr(0, comma));
  const auto action = comma == std::string_view::npos
                          ? std::nullopt
                          : ChoiceIndex(Column::Action, text.substr(comma + 1));
  if (!intensity || !action) {
    throw CliError(kExitUsage, "--scale-to: \"" + std::string(text) +
                                   "\" is not PGA,ACTION with PGA one of " +
                                   ChoiceTexts(Column::Pga) + " and ACTION one of " +
                                   ChoiceTexts(Column::Action));
  }
  return TimeHistoryPeakAcceleration(*intensity, *action);
}

double ScaleFactorTo(const GroundMotion& motion, std::optional<double> targetGal) {
  try {
    return ScaleFactor(motion, targetGal);
  } catch (const std::invalid_argument& error) {
    throw CliError(kExitUsage, error.what());
  }
}

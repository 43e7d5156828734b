// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ScaleTarget.h"

#include <set>
#include <stdexcept>
#include <string>

#include "cli/CliError.h"
#include "cli/OptionNumber.h"
#include "cli/SelectionChoices.h"
#include "model/NumberText.h"
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

SetScaling ChooseSetScaling(bool noScaling, const std::string* typedTarget, std::int32_t pga,
                            std::int32_t action) {
  if (noScaling) return {std::nullopt, "none, the records as read"};
  if (typedTarget != nullptr) {
    const double target = ReadTargetPga(*typedTarget);
    return {target, "peak ground acceleration " + FormatGeneral(target, ".") + " cm/s2"};
  }
  const double target = TimeHistoryPeakAcceleration(pga, action);
  return {target, "peak ground acceleration " + FormatGeneral(target, ".") +
                      " cm/s2, the code's value for time-history analysis at pga " +
                      std::string(ChoiceText(Column::Pga, pga)) + ", " +
                      std::string(ChoiceText(Column::Action, action))};
}

void RefuseRepeatedRecords(const std::vector<std::string>& paths) {
  std::set<std::string> seen;
  for (const std::string& path : paths) {
    if (!seen.insert(path).second) {
      throw CliError(kExitUsage, "\"" + path + "\" is given twice; each record counts once");
    }
  }
}

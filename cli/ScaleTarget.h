// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/GroundMotion.h"

// The peak ground acceleration records are scaled to, in cm/s2.

// A value given to --target-pga: a positive number. Throws CliError (usage) otherwise.
double ReadTargetPga(std::string_view text);

// The value for time-history analysis of the code's table, for --scale-to "PGA,ACTION" with
// the texts of --pga and --action ("0.20,rare"). Throws CliError (usage) for any other text.
double ReadScaleTo(std::string_view text);

// The factor that brings the record to the target (1 without one). Throws CliError (usage)
// for a record without motion.
double ScaleFactorTo(const GroundMotion& motion, std::optional<double> targetGal);

// The target of a record set and the words that say where it comes from: none with
// --no-scaling, the typed --target-pga, else the code's value for time-history analysis at the
// design's --pga and --action indexes. Throws CliError (usage) for a bad typed value.
struct SetScaling {
  std::optional<double> targetGal;
  std::string text;
};
SetScaling ChooseSetScaling(bool noScaling, const std::string* typedTarget, std::int32_t pga,
                            std::int32_t action);

// Throws CliError (usage) when a record file is named twice: each record counts once.
void RefuseRepeatedRecords(const std::vector<std::string>& paths);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

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

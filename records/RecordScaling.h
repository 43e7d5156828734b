// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

#include "records/GroundMotion.h"

// Peak ground acceleration for time-history analysis in cm/s2, by the rows and columns of the
// input panel's lists: intensity 6, 7 (0.10 g), 7 (0.15 g), 8 (0.20 g), 8 (0.30 g), 9 and
// frequent, fortification and rare earthquake. Indices outside the lists fall back as in
// DefaultAlphaMax: intensity to the last row, action to column 0.
double TimeHistoryPeakAcceleration(std::int32_t intensity, std::int32_t action);

// The factor that brings the record's peak ground acceleration to the target in cm/s2; 1 when
// there is no target. Throws std::invalid_argument for a target that is not a positive number
// and for a record without motion.
double ScaleFactor(const GroundMotion& motion, std::optional<double> targetGal);

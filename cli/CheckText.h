// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "cli/CheckReport.h"

// The check as text for reading: the design spectrum, the scaling, the tolerance and T1, the
// records (kind, peak acceleration, scale factor and whether it lies in the scale band,
// effective duration and whether it is too short), the periods (each record's PSA, the mean,
// the design value, the deviation and pass or fail), a warning naming the records scaled
// outside the band, the set's counts and what its size allows, and the verdict with its
// reasons. Records are called R1, R2, ... in the period table. The CSV form is the check
// table text of the records library.
std::string BuildCheckText(const CheckReport& report);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

#include "records/AccelerationUnit.h"
#include "records/GroundMotion.h"

// Reads a PEER NGA record: two free header lines (the second, trimmed, is kept as the
// record's description), a third naming the unit of the values (g,
// cm/s2 as "CM/SEC/SEC", "CM/S/S", "CM/S2" or "GAL", m/s2 as "M/SEC/SEC", "M/S/S" or "M/S2"),
// a fourth giving the number of points and the time step, either as "NPTS=  4000, DT=   .0100
// SEC" or as "4000   0.0100   NPTS, DT" (any letter case and spacing), then the accelerations,
// any number per line; they are converted to g.
// A given unit must agree with the third line, and is needed when that line names no unit (or
// more than one). Values beyond the number of points are accepted only when all of them are
// zero (padding of the last line); they are dropped. Throws RecordError naming the file and
// line on any fault, numbers in messages written with the decimal separator.
GroundMotion ReadAt2(std::string_view fileName, std::string_view bytes,
                     std::optional<AccelerationUnit> givenUnit = std::nullopt,
                     std::string_view decimalSeparator = ".");

// The unit a PEER record's third line names; no value when it names none, or more than one.
std::optional<AccelerationUnit> At2HeaderUnit(std::string_view line);

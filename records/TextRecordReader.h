// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "records/AccelerationUnit.h"
#include "records/GroundMotion.h"

// Plain text records. Blank lines and everything from a "#" to the end of its line are skipped;
// fields are separated by blanks, commas or semicolons. Both throw RecordError naming the file
// and line on any fault, numbers in messages written with the decimal separator.

// One time and one acceleration per line; the times must be equally spaced: every interval
// within 1 % of the mean step and every time within 1 % of a step of its place on the grid.
GroundMotion ReadTimeAcceleration(std::string_view fileName, std::string_view bytes,
                                  AccelerationUnit unit, std::string_view decimalSeparator = ".");

// One acceleration per line, at the given time step in s.
GroundMotion ReadAcceleration(std::string_view fileName, std::string_view bytes, double step,
                              AccelerationUnit unit, std::string_view decimalSeparator = ".");

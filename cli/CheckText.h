#pragma once

#include <string>

#include "cli/CheckReport.h"

// The check as text for reading: the design spectrum, the scaling and the tolerance, the
// records (kind, peak acceleration, scale factor, effective duration and whether it is too
// short), the periods (each record's PSA, the mean, the design value, the deviation and
// pass or fail), the set's counts and the verdict. Records are called R1, R2, ... in the
// period table.
std::string BuildCheckText(const CheckReport& report);

// The same as CSV (RFC 4180, lines ended by CR LF, numbers in their shortest form that reads
// back to the same double): the period table, an empty line, the record table, an empty line
// and the set's line.
std::string BuildCheckCsvText(const CheckReport& report);

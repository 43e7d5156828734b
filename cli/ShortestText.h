#pragma once

#include <string>

// Appends the shortest text that reads back to exactly this double ("0.04", "1e-05"), always
// with "." whatever the regional settings, and -0 as "0"; "inf", "-inf" or "nan" for the
// special values.
void AppendShortest(std::string& out, double value);

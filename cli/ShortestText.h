#pragma once

#include <string>

// Appends the shortest text that reads back to exactly this double ("0.04", "1e-05"), always
// with "." whatever the regional settings; "inf", "-inf" or "nan" for the special values.
void AppendShortest(std::string& out, double value);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The shortest text that reads back to exactly this double ("0.04", "1e-05"), with the given
// decimal separator in place of "." (an empty one gives "."); "inf", "-inf" or "nan" for the
// special values.
std::string ShortestNumber(double value, std::string_view decimalSeparator);

#pragma once

#include <string>
#include <string_view>

// The text of an axis label in the style "#,##0.###", widened to as many decimals as the
// label step needs: rounded half away from zero to at most `decimals` decimals, trailing zeros
// dropped, thousands grouped. Rounding works on the value's 15-significant-digit decimal form.
// The group separator is "," except when the decimal separator is itself ",", where "." keeps
// the two apart. Non-finite values read "INF", "-INF" and "NAN".
std::string AxisLabelText(double value, int decimals, std::string_view decimalSeparator);

// The same with the current decimal separator.
std::string AxisLabelText(double value, int decimals);

// The decimals that labels on the multiples of `step` need to read their exact values: three
// at least, so that every step of 0.005 or more keeps the texts of "#,##0.###", and more for
// finer steps (0.0025 needs four, so 0.0075 does not read "0.008").
int LabelDecimals(double step);

#pragma once

#include <string>
#include <string_view>

// The text of an axis label in the style "#,##0.###": rounded half away from zero to at most
// three decimals, trailing zeros dropped, thousands grouped. Rounding works on the value's
// 15-significant-digit decimal form, so a label meant as 0.0075 reads "0.008".
// The group separator is "," except when the decimal separator is itself ",", where "." keeps
// the two apart. Non-finite values read "INF", "-INF" and "NAN".
std::string AxisLabelText(double value, std::string_view decimalSeparator);
